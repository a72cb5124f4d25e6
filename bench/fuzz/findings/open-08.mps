NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 G  r0
 E  r1
COLUMNS
    x0 obj -100
    x0 r0 -10
    x1 obj 100
    x1 r0 3
    x2 obj 2
    x2 r0 -100
    x2 r1 1000000.0
    x3 obj -1
    x3 r0 -1000000000.0
    x3 r1 1
    x4 obj -2
    x5 obj 1
    x6 obj 3
    x6 r1 5
    x7 r1 1000000000.0
    x8 obj -7
    x8 r0 1000000.0
    x9 obj 2
    x9 r0 1
    m1 'MARKER' 'INTORG'
    x10 obj -3
    x10 r0 1e-07
    x10 r1 0.5
    m1 'MARKER' 'INTEND'
    x11 obj -0.001
    x11 r0 100
RHS
    rhs r0 1
    rhs r1 2
BOUNDS
 LO BND x0 3
 SC BND x0 5
 LO BND x1 1
 BV BND x2
 LO BND x3 0.5
 SC BND x3 5
 UP BND x6 10
 FX BND x8 2.5
 BV BND x9
 UI BND x10 100
 FX BND x11 2.5
QUADOBJ
    x0 x0 1
    x6 x6 1
    x5 x5 1
ENDATA
