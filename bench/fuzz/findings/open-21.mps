NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 E  r1
 N  r2
COLUMNS
    x0 obj 1e-07
    x0 r0 0.25
    x0 r1 5
    x0 r2 -3
    x1 obj -1
    x1 r0 0.001
    x1 r1 1e-07
    x1 r2 7
    x2 obj 1000000000.0
    x2 r0 -100
    x3 obj 10000.0
    x3 r2 -2
    x4 obj -7
    x4 r1 -1
    x4 r2 1e-07
    x5 obj -1
    x5 r0 1
    m1 'MARKER' 'INTORG'
    x6 obj 10000.0
    m1 'MARKER' 'INTEND'
    x7 r2 2
    x8 obj 10
    x8 r0 -5
    x8 r1 0.5
    x8 r2 1000000000.0
RHS
    rhs r0 -1
    rhs r2 10
BOUNDS
 LO BND x0 10
 SC BND x0 1000000.0
 FR BND x1
 UP BND x2 4
 BV BND x3
 BV BND x4
 UP BND x5 10
 UI BND x6 5
 BV BND x8
SOS
 S1 SOS s0 1
    x4 1
 S2 SOS s1 4
    x4 1
    x6 2
    x1 3
    x3 4
    x0 5
 S2 SOS s2 3
    x4 1
QUADOBJ
    x5 x5 0.5
    x0 x0 1
    x8 x8 0.0001
    x1 x1 2
    x4 x4 0.5
    x6 x6 0.5
ENDATA
