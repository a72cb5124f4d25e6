NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 N  r1
 E  r2
 E  r3
 E  r4
COLUMNS
    x0 obj 10
    x0 r0 1000000.0
    x0 r1 2
    x0 r2 -5
    x0 r4 -0.25
    x1 obj -3
    x1 r0 -1
    x1 r2 -10
    x1 r4 100
    x2 obj 7
    x2 r0 100
    x2 r4 -1000000.0
    x3 obj 0.001
    x3 r0 1
    x3 r4 -2
    m1 'MARKER' 'INTORG'
    x4 obj 2
    x4 r0 0.25
    x4 r1 0.5
    x5 obj -1e-07
    x5 r1 100
    x5 r3 -10000.0
    m1 'MARKER' 'INTEND'
    x6 obj -0.5
    x6 r0 1000000000.0
    x6 r1 1000000.0
    x6 r2 -10
    x6 r3 3
    m1 'MARKER' 'INTORG'
    x7 obj 3
    x7 r0 1e-07
    x7 r1 -0.25
    x7 r4 -1000000.0
    x8 obj 0.001
    x8 r1 1e-07
    m1 'MARKER' 'INTEND'
    x9 obj 10000.0
    x9 r2 3
    x9 r3 2
    x10 obj 0.001
    x10 r0 -0.5
    x10 r2 -1
    x10 r3 -3
    x10 r4 -10
    m1 'MARKER' 'INTORG'
    x11 obj 10000.0
    x11 r1 0.001
    x11 r2 1e-07
    m1 'MARKER' 'INTEND'
RHS
    rhs r0 3
    rhs r3 20
    rhs r4 5
BOUNDS
 BV BND x1
 UI BND x2 -1
 LO BND x3 3
 SC BND x3 4
 UI BND x4 5
 UI BND x5 100
 FR BND x6
 LO BND x7 -1
 LO BND x9 3
 SC BND x9 20
 UP BND x10 4
 UI BND x11 5
ENDATA
