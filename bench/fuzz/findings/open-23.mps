NAME          FUZZ FREE
ROWS
 N  obj
 N  r0
 L  r1
 N  r2
 G  r3
 G  r4
 N  r5
COLUMNS
    x0 obj 1
    x0 r0 -2
    x0 r1 -100
    x0 r2 3
    x0 r4 3
    x1 obj 100
    x1 r1 -0.001
    x1 r2 0.5
    x1 r3 -2
    x1 r4 -3
    x2 r3 -2
    m1 'MARKER' 'INTORG'
    x3 obj -10000.0
    x3 r0 0.5
    x3 r1 -10000.0
    x3 r2 1
    x3 r4 -1
    m1 'MARKER' 'INTEND'
    x4 r0 1
    x4 r1 100
    x4 r2 -1
    x4 r3 10
    x5 obj 1
    x5 r0 1
    x5 r1 -2
    x5 r2 -1000000.0
    x5 r4 1e-07
    x6 obj -100
    x6 r1 1000000.0
    x6 r2 0.5
    x7 obj -2
    x7 r0 -10
    x7 r2 -1000000.0
    x7 r3 1e-07
    x7 r4 7
RHS
    rhs r0 0.5
    rhs r1 10
    rhs r2 2
    rhs r3 0
    rhs r4 100000.0
    rhs r5 0.5
BOUNDS
 FX BND x0 1
 LO BND x4 1e-06
 SC BND x4 10
 LO BND x6 3
 SC BND x6 5
 LO BND x7 0.5
 SC BND x7 1
SOS
 S2 SOS s0 3
    x6 1
    x4 2
    x1 3
    x0 7
QUADOBJ
    x5 x5 10
    x1 x1 0.0001
    x2 x2 0.0001
    x7 x7 0.0001
    x0 x0 10
    x3 x3 10
ENDATA
