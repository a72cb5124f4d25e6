NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 E  r0
 G  r1
 L  r2
 N  r3
 L  r4
 G  r5
 L  r6
COLUMNS
    x0 obj 3
    x0 r0 -7
    x0 r3 -1000000.0
    m1 'MARKER' 'INTORG'
    x1 obj -2
    x1 r0 1000000000.0
    x1 r1 -3
    x1 r2 -2
    x1 r3 -1000000000.0
    x1 r5 1000000.0
    m1 'MARKER' 'INTEND'
    x2 obj -1
    x2 r0 -2
    x2 r1 -10000.0
    x2 r3 10000.0
    x2 r4 7
    x2 r6 7
    x3 obj 10000.0
    x3 r0 1000000.0
    x3 r1 5
    x3 r3 2
    x3 r4 2
    x3 r5 -2
    x3 r6 -0.25
    x4 obj 0.001
    x4 r0 -7
    x4 r1 5
    x4 r2 -1
    m1 'MARKER' 'INTORG'
    x5 obj -2
    x5 r2 -1
    x5 r3 10
    x5 r4 -0.25
    x5 r5 0.5
    m1 'MARKER' 'INTEND'
    x6 obj 1000000.0
    x6 r0 7
    x6 r1 -3
    x6 r2 3
    x6 r3 1
    x6 r4 -5
    x6 r5 0.5
    x6 r6 -3
    m1 'MARKER' 'INTORG'
    x7 obj 3
    x7 r1 1000000000.0
    x7 r5 5
    x8 obj 1000000000.0
    x8 r0 0.25
    x8 r1 1
    x8 r2 -2
    x8 r3 1000000.0
    x8 r4 -2
    m1 'MARKER' 'INTEND'
    x9 obj 1e-07
    x9 r3 1000000000.0
    x10 obj -0.5
    x10 r0 1000000.0
    x10 r4 -1
    x10 r6 -0.5
    x11 obj 1e-07
    x11 r5 -0.001
RHS
    rhs r0 1
    rhs r1 1
    rhs r2 5
    rhs r4 5
    rhs r5 1
RANGES
    rng r0 5
    rng r4 1
    rng r5 0.5
BOUNDS
 BV BND x0
 UP BND x2 10
 UI BND x5 3
 LO BND x8 0.5
 BV BND x9
 BV BND x10
 UP BND x11 4
ENDATA
