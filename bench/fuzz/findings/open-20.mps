NAME          FUZZ FREE
ROWS
 N  obj
 E  r0
 E  r1
COLUMNS
    x0 obj 1000000000.0
    x0 r1 1
    x1 obj -1000000.0
    x1 r0 0.25
    x1 r1 3
    x2 obj -3
    x2 r0 -1000000000.0
    x3 obj 7
    x3 r0 -0.25
    x3 r1 1
    m1 'MARKER' 'INTORG'
    x4 obj 2
    x4 r0 1e-07
    x4 r1 1e-07
    m1 'MARKER' 'INTEND'
    x5 obj 1000000000.0
    x5 r0 1
    x6 obj 1
    x6 r1 100
    x7 obj 1
    x7 r0 -7
    x7 r1 -2
    x8 obj 1
    x8 r1 1000000000.0
RHS
    rhs r0 10
    rhs r1 10
RANGES
BOUNDS
 MI BND x0
 BV BND x1
 BV BND x2
 UP BND x3 10
 UI BND x4 10
 LO BND x4 -5
 BV BND x5
 SC BND x6 0
 UP BND x7 10
QUADOBJ
    x0 x0 1
    x4 x4 0.5
    x5 x5 0.0001
    x6 x6 2
    x3 x3 1
    x8 x8 2
    x2 x2 10
    x7 x7 2
    x1 x1 0.5
ENDATA
