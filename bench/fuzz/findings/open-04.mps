NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 G  r1
 L  r2
 L  r3
 E  r4
 E  r5
 G  r6
COLUMNS
    x0 obj 10000.0
    x0 r2 0.25
    x0 r3 -1
    x0 r4 -100
    x0 r5 -7
    x1 obj -1e-07
    x1 r2 100
    x1 r3 -100
    x1 r4 0.001
    x1 r5 1000000.0
    x1 r6 -0.001
    m1 'MARKER' 'INTORG'
    x2 obj 5
    x2 r0 -2
    x2 r1 10000.0
    x2 r4 1
    x2 r6 -2
    m1 'MARKER' 'INTEND'
    x3 obj 5
    x3 r1 1
    x3 r2 2
    x3 r3 0.25
    x3 r4 100
    x3 r5 -10000.0
    x4 obj -2
    x4 r0 3
    x4 r3 -3
    x4 r5 0.001
    x4 r6 1000000000.0
    x5 obj -1
    x5 r0 7
    x5 r2 -10000.0
    m1 'MARKER' 'INTORG'
    x6 obj 3
    x6 r0 10
    x6 r1 1e-07
    x6 r2 -2
    x6 r3 -1000000000.0
    x6 r6 10
    m1 'MARKER' 'INTEND'
    x7 obj -2
    x7 r0 1000000000.0
    x7 r2 10000.0
    x7 r5 100
    x8 obj 1000000000.0
    x8 r2 10000.0
    x8 r3 -3
    x8 r4 100
    x8 r6 -1e-07
    x9 obj 10
RHS
    rhs r0 100000.0
    rhs r2 20
    rhs r4 0
    rhs r5 10
    rhs r6 0
BOUNDS
 BV BND x0
 MI BND x1
 LO BND x2 1
 BV BND x3
 LO BND x5 1e-06
 SC BND x5 1000000.0
 BV BND x7
 LO BND x8 0.5
 SC BND x8 1000000.0
ENDATA
