NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 G  r0
 L  r1
 L  r2
COLUMNS
    m1 'MARKER' 'INTORG'
    x0 obj 1e-07
    x0 r0 1
    x0 r1 -10
    m1 'MARKER' 'INTEND'
    x1 obj 10
    x1 r0 2
    x1 r2 1
    x2 obj 0.25
    x2 r1 10
    x2 r2 100
    x3 obj -3
    x3 r0 10000.0
    x3 r1 1
    m1 'MARKER' 'INTORG'
    x4 obj 0.001
    x4 r1 100
    m1 'MARKER' 'INTEND'
    x5 obj 7
    x5 r0 -1
    x5 r1 -1e-07
    x5 r2 1
    x6 obj 100
    x6 r2 -1e-07
    m1 'MARKER' 'INTORG'
    x7 obj 1000000000.0
    x7 r0 -2
    x7 r2 10
    m1 'MARKER' 'INTEND'
RHS
    rhs r0 10
    rhs r2 10
BOUNDS
 LO BND x0 -1
 FR BND x1
 BV BND x3
 UP BND x6 1
 UI BND x7 5
ENDATA
