NAME          FUZZ FREE
ROWS
 N  obj
 L  r0
 L  r1
 G  r2
 G  r3
 L  r4
 L  r5
COLUMNS
    m1 'MARKER' 'INTORG'
    x0 obj 7
    x0 r1 -1
    m1 'MARKER' 'INTEND'
    x1 obj 1
    x1 r0 -1000000.0
    x1 r1 7
    x1 r3 -3
    x1 r4 1000000000.0
    x1 r5 100
    m1 'MARKER' 'INTORG'
    x2 obj 1000000.0
    x2 r0 7
    x2 r1 2
    x2 r2 0.5
    x2 r5 -1
    m1 'MARKER' 'INTEND'
    x3 obj 100
    x3 r2 10
    x3 r3 1000000.0
    x4 r5 1
    x5 r0 2
    x5 r1 -3
    x5 r4 -10
    x5 r5 -10000.0
    x6 obj 0.25
    x6 r1 -1
    x6 r2 -7
    x6 r3 1
    x6 r4 -1000000000.0
    x7 obj -2
    x7 r0 0.5
    x7 r2 -3
    x7 r4 7
    x8 obj -1e-07
    x8 r2 -2
    x8 r5 0.001
RHS
    rhs r1 100000.0
    rhs r3 0.5
RANGES
    rng r3 2
    rng r4 -3
BOUNDS
 UI BND x3 2.5
 LO BND x3 -1
 BV BND x4
 UI BND x6 1
 LO BND x6 -5
 FR BND x7
 BV BND x8
ENDATA
