NAME          FUZZ FREE
ROWS
 N  obj
 L  r0
 E  r1
 N  r2
 L  r3
 E  r4
 L  r5
COLUMNS
    x0 obj 3
    x0 r2 1000000.0
    x0 r3 1000000000.0
    x0 r5 5
    x1 obj 1
    x1 r1 -1
    x1 r2 -1e-07
    x1 r4 1
    x2 obj 1e-07
    x2 r0 -0.5
    x2 r1 -7
    x2 r3 1e-07
    x2 r4 -1000000.0
    x2 r5 -1
    x3 r0 1000000000.0
    x3 r1 5
    x3 r2 -3
    x3 r4 10
    x4 obj 1e-07
    x4 r1 -100
    x4 r2 0.001
    x4 r3 0.001
    x5 obj -3
    x5 r0 -3
    x5 r2 1
    x5 r4 -2
    x5 r5 0.001
    x6 r1 -5
    x6 r4 2
    x6 r5 -1
    x7 obj 1000000000.0
    x7 r0 3
    x7 r1 0.25
    x7 r2 7
    x7 r4 1
    x7 r5 7
    m1 'MARKER' 'INTORG'
    x8 obj 10000.0
    x8 r1 -1e-07
    x8 r2 3
    m1 'MARKER' 'INTEND'
    x9 obj 2
    x9 r1 1
    x9 r2 1
    x9 r3 -3
    x9 r5 7
    m1 'MARKER' 'INTORG'
    x10 obj 0.5
    x10 r0 -1e-07
    x10 r2 -1e-07
    x10 r3 10000.0
    x10 r5 7
    m1 'MARKER' 'INTEND'
    x11 obj 1e-07
    x11 r0 3
RHS
    rhs r0 10
    rhs r1 2
    rhs r2 1
    rhs r3 -1
    rhs r4 10
    rhs r5 100000.0
BOUNDS
 LO BND x0 1e-06
 SC BND x0 20
 SC BND x1 1
 SC BND x2 20
 BV BND x3
 FR BND x5
 LO BND x6 1
 SC BND x6 10
 BV BND x7
 UI BND x8 5
 UI BND x10 5
 LO BND x10 -5
 FR BND x11
ENDATA
