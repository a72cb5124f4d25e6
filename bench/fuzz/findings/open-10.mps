NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 L  r0
 L  r1
 L  r2
 G  r3
 G  r4
 G  r5
 G  r6
 L  r7
COLUMNS
    x0 obj -1
    x0 r0 1e-07
    x0 r1 100
    x0 r2 2
    x0 r3 1
    x0 r4 0.5
    x0 r5 1000000.0
    x0 r6 10000.0
    x1 obj 5
    x1 r2 1
    x1 r4 100
    x1 r6 0.001
    x2 obj -1e-07
    x2 r5 100
    x2 r6 0.25
    x2 r7 0.001
    x3 obj -3
    x3 r2 -1000000000.0
    x3 r5 0.25
    x3 r6 -3
    x4 obj 1000000000.0
    x4 r0 -1
    x4 r1 10
    x4 r2 10000.0
    x4 r3 -1000000000.0
    x4 r4 0.5
    x5 obj -1000000000.0
    x5 r2 3
    x5 r3 -10
    x5 r4 -3
    x5 r5 1000000000.0
    x5 r6 3
    x6 obj -0.25
    x6 r0 10000.0
    x6 r1 -3
    x6 r5 3
    m1 'MARKER' 'INTORG'
    x7 obj 1000000.0
    x7 r0 7
    x7 r1 -1
    x7 r3 0.5
    x7 r4 1
    x7 r5 -5
    x7 r6 0.25
    m1 'MARKER' 'INTEND'
    x8 obj 0.001
    x8 r1 -10
    x8 r3 3
    x8 r4 10
    x8 r7 -3
RHS
    rhs r0 3
    rhs r2 0
    rhs r5 0.5
    rhs r6 -5
    rhs r7 0.5
RANGES
    rng r1 5
    rng r3 2
    rng r5 5
    rng r6 5
    rng r7 1
BOUNDS
 BV BND x0
 MI BND x1
 SC BND x2 10
 MI BND x3
 SC BND x4 4
 LO BND x5 0.5
 SC BND x5 20
 BV BND x6
 UI BND x7 -1
QUADOBJ
    x8 x8 2
    x7 x7 10
    x6 x6 10
ENDATA
