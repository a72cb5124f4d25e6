NAME          FUZZ FREE
ROWS
 N  obj
 N  r0
 N  r1
 L  r2
 G  r3
 G  r4
 N  r5
 N  r6
COLUMNS
    m1 'MARKER' 'INTORG'
    x0 obj 3
    x0 r1 -2
    m1 'MARKER' 'INTEND'
    x1 obj -1000000000.0
    x1 r1 7
    x1 r2 -3
    x1 r4 -3
    x1 r6 10000.0
    x2 obj 1000000.0
    x2 r0 1
    x2 r1 3
    x2 r4 5
    m1 'MARKER' 'INTORG'
    x3 obj -3
    x3 r0 -1
    x3 r1 -3
    x3 r2 1e-07
    x3 r3 1000000000.0
    x3 r5 1
    x3 r6 1000000000.0
    m1 'MARKER' 'INTEND'
    x4 obj -1000000.0
    x4 r0 -100
    x4 r1 1
    x4 r2 2
    x4 r5 1000000.0
    x4 r6 -3
    x5 obj -5
    x5 r2 -3
    x5 r4 1000000000.0
    x6 obj -3
    x6 r1 1e-07
    x6 r3 0.001
    x6 r4 -3
    x7 obj 0.5
    x7 r0 -100
    x7 r5 1
    m1 'MARKER' 'INTORG'
    x8 obj 5
    x8 r0 0.5
    x8 r1 3
    x8 r3 -1
    x8 r4 100
    x8 r5 1e-07
    m1 'MARKER' 'INTEND'
    x9 obj 1000000000.0
    x9 r1 -1000000000.0
    x9 r2 2
    x9 r3 -1000000.0
    x9 r5 -5
    x9 r6 5
    x10 obj -1
    x10 r0 -1
RHS
    rhs r1 5
    rhs r2 20
    rhs r4 -1
    rhs r5 3
    rhs r6 10
RANGES
BOUNDS
 UI BND x0 2
 LO BND x0 1
 SC BND x2 10
 LO BND x3 -5
 LO BND x4 2
 SC BND x4 5
 BV BND x5
 BV BND x6
 BV BND x7
 UI BND x10 2.5
ENDATA
