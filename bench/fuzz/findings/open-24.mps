NAME          FUZZ FREE
ROWS
 N  obj
 N  r0
 L  r1
 L  r2
 E  r3
 E  r4
COLUMNS
    x0 r0 3
    x0 r1 -1000000000.0
    x0 r2 1
    x1 obj 1000000.0
    x1 r0 7
    x1 r3 10
    x2 obj -3
    x2 r1 0.001
    x3 obj 3
    x3 r0 -0.5
    x3 r2 5
    x3 r3 100
    m1 'MARKER' 'INTORG'
    x4 obj -3
    x4 r1 1000000000.0
    x4 r2 0.25
    x4 r3 1
    m1 'MARKER' 'INTEND'
    x5 r0 0.25
    x5 r4 1000000.0
    m1 'MARKER' 'INTORG'
    x6 obj 100
    x6 r0 1e-07
    x6 r3 1
    x6 r4 1e-07
    m1 'MARKER' 'INTEND'
    x7 obj -10000.0
    x7 r1 10000.0
    x7 r2 -2
    x7 r3 -1
    x8 obj 100
    x8 r0 3
    x8 r1 0.001
    x8 r2 1000000.0
    x8 r4 100
    x9 r1 10000.0
    x9 r3 -10000.0
RHS
    rhs r0 1
    rhs r1 10
    rhs r2 3
    rhs r3 10
    rhs r4 1
RANGES
    rng r2 2
    rng r3 5
BOUNDS
 MI BND x0
 LO BND x1 3
 SC BND x1 1000000.0
 SC BND x2 4
 UI BND x4 2.5
 SC BND x8 2
 LO BND x9 0.5
 SC BND x9 0
QUADOBJ
    x3 x3 1
    x2 x2 0.5
ENDATA
