NAME          FUZZ FREE
ROWS
 N  obj
 N  r0
 G  r1
 E  r2
 E  r3
COLUMNS
    x0 obj -2
    x0 r0 2
    x0 r1 7
    x0 r2 0.001
    x0 r3 10
    x1 r1 10000.0
    x1 r2 10000.0
    x1 r3 1000000000.0
    x2 obj 1000000000.0
    x2 r0 5
    x2 r2 1e-07
    x2 r3 1e-07
    x3 obj -1
    x3 r0 3
    x4 obj -3
    x4 r0 2
    x4 r2 10000.0
    x5 obj -1
    x5 r1 0.5
    x5 r3 100
    x6 obj 0.25
    x7 obj 2
    x7 r1 -1
    x7 r3 1
    x8 obj -1
    x8 r1 0.5
    x9 obj 1
    x9 r0 -2
    x9 r2 2
RHS
    rhs r0 100000.0
    rhs r1 0.5
    rhs r2 1
    rhs r3 5
RANGES
    rng r1 1
    rng r2 -3
BOUNDS
 FR BND x2
 BV BND x3
 LO BND x4 3
 SC BND x4 4
 MI BND x5
 UP BND x6 4
 FR BND x7
 BV BND x8
 LO BND x9 2
 SC BND x9 10
ENDATA
