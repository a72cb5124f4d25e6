NAME          FUZZ FREE
ROWS
 N  obj
 E  r0
 L  r1
 G  r2
COLUMNS
    m1 'MARKER' 'INTORG'
    x0 obj 7
    x0 r1 1
    x0 r2 1e-07
    x1 obj 1
    x1 r1 -1000000.0
    x2 obj -1000000.0
    x2 r0 1
    m1 'MARKER' 'INTEND'
    x3 r1 -3
    x3 r2 -1
    x4 obj 100
    x4 r0 -2
    x5 obj 2
    x5 r0 -3
    x5 r1 -3
    x5 r2 7
    x6 obj 3
RHS
    rhs r1 5
BOUNDS
 UI BND x0 3
 UI BND x2 2.5
 BV BND x3
 BV BND x5
SOS
 S1 SOS s0 4
    x3 1
ENDATA
