NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 N  r1
 E  r2
 L  r3
COLUMNS
    x0 obj 10000.0
    x0 r0 1e-07
    x0 r3 -1
    x1 obj 100
    x1 r0 -100
    x1 r1 1000000000.0
    x1 r3 -3
    x2 obj 0.25
    x2 r0 0.5
    x2 r3 3
    x3 obj 0.001
    x3 r0 1000000.0
    x3 r1 -2
    x3 r2 1e-07
    m1 'MARKER' 'INTORG'
    x4 obj 3
    x4 r2 100
    x4 r3 100
    m1 'MARKER' 'INTEND'
    x5 obj -0.001
    x5 r1 1
    x5 r3 1000000.0
RHS
    rhs r0 -5
    rhs r1 5
    rhs r2 20
BOUNDS
 UP BND x0 4
 FR BND x1
 LO BND x2 0.5
 UI BND x4 -1
 BV BND x5
SOS
 S1 SOS s0 3
    x0 1
    x2 2
    x5 3
QUADOBJ
    x0 x0 1
    x3 x3 2
    x2 x2 2
ENDATA
