NAME          FUZZ FREE
ROWS
 N  obj
 N  r0
 G  r1
 L  r2
 L  r3
 G  r4
COLUMNS
    m1 'MARKER' 'INTORG'
    x0 obj -0.25
    x0 r0 1000000000.0
    x0 r1 1000000000.0
    x0 r2 2
    x0 r4 100
    m1 'MARKER' 'INTEND'
    x1 r0 -1
    x1 r1 5
    x1 r2 10
    x1 r4 2
    m1 'MARKER' 'INTORG'
    x2 obj 7
    x2 r0 3
    x2 r1 5
    x2 r3 -1000000.0
    m1 'MARKER' 'INTEND'
    x3 obj 7
    x3 r0 0.5
    x3 r2 100
    x3 r3 -2
RHS
    rhs r0 5
    rhs r1 20
    rhs r2 10
    rhs r3 0
    rhs r4 20
BOUNDS
 BV BND x1
 FR BND x3
ENDATA
