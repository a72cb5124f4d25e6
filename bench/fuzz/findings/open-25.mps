NAME          FUZZ FREE
ROWS
 N  obj
 L  r0
 G  r1
COLUMNS
    x0 obj 0.001
    x0 r0 2
    m1 'MARKER' 'INTORG'
    x1 obj -3
    x1 r0 1
    x1 r1 10000.0
    m1 'MARKER' 'INTEND'
    x2 obj -2
    x2 r1 100
    x3 obj 1e-07
    x3 r0 -1
    x3 r1 1000000.0
    x4 obj -2
    x5 r0 10000.0
    x5 r1 -7
    x6 obj -7
    x6 r0 1000000000.0
    x7 obj 0.001
    x8 obj 0.25
    x8 r0 -1
RHS
    rhs r1 2
BOUNDS
 BV BND x0
 UP BND x4 1
 LO BND x5 1
 LO BND x6 1
 SC BND x6 4
 MI BND x7
 MI BND x8
SOS
 S1 SOS s0 4
    x6 1
    x5 2
    x8 3
    x0 4
 S2 SOS s1 5
    x0 1
    x6 2
    x2 3
QUADOBJ
    x7 x7 10
    x2 x2 0.0001
    x3 x3 0.0001
ENDATA
