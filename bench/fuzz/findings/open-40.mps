NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 G  r1
 G  r2
 G  r3
 E  r4
 G  r5
 N  r6
COLUMNS
    x0 obj 10
    x0 r0 -1
    x0 r1 -10
    x0 r2 3
    x0 r6 3
    x1 obj 1000000.0
    x1 r0 1000000.0
    x1 r2 2
    x1 r5 -0.001
    x2 obj -3
    x2 r3 -0.5
    x2 r5 -1e-07
    x3 obj 2
    x3 r0 5
    x3 r1 -2
    x3 r4 2
    m1 'MARKER' 'INTORG'
    x4 obj 0.25
    x4 r1 1
    x4 r2 1000000000.0
    x4 r3 0.5
    x4 r4 100
    m1 'MARKER' 'INTEND'
    x5 obj 7
    x5 r1 5
    x5 r2 -3
    x5 r5 10
    x6 obj 1
    x6 r1 1000000000.0
    x6 r3 5
    x6 r4 -2
    x6 r5 -3
    x7 obj 0.25
    x7 r1 100
    x7 r2 -1000000.0
    x7 r5 -5
    x8 obj 3
    x8 r0 10000.0
    x8 r2 1
    x8 r4 -1e-07
    x8 r5 -2
    x8 r6 7
    x9 obj -2
    x9 r0 -3
    x9 r1 100
    x9 r2 2
    x9 r3 0.5
    x9 r4 0.25
    m1 'MARKER' 'INTORG'
    x10 r0 1000000000.0
    x10 r2 1000000000.0
    x10 r3 10
    x10 r6 -0.001
    x11 obj 7
    x11 r1 -100
    x11 r4 1
    m1 'MARKER' 'INTEND'
RHS
    rhs r0 2
    rhs r1 3
    rhs r2 0.5
    rhs r3 100000.0
    rhs r4 5
    rhs r5 100000.0
    rhs r6 5
BOUNDS
 LO BND x0 -5
 BV BND x1
 FR BND x2
 UI BND x4 -1
 BV BND x7
 SC BND x8 10
ENDATA
