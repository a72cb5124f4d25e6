NAME          FUZZ FREE
ROWS
 N  obj
 L  r0
 L  r1
 L  r2
 N  r3
 N  r4
COLUMNS
    x0 obj 2
    x0 r0 0.001
    x0 r3 1000000.0
    x1 obj -2
    x1 r0 -5
    x1 r2 10
    x1 r3 0.25
    x2 obj 1000000.0
    x2 r0 1e-07
    x2 r3 10000.0
    x2 r4 3
    m1 'MARKER' 'INTORG'
    x3 obj -1000000000.0
    x3 r0 5
    x3 r3 5
    m1 'MARKER' 'INTEND'
    x4 obj 1000000000.0
    x4 r0 0.25
    x4 r2 -10
    x4 r4 3
    x5 obj 0.5
    x5 r1 2
    x6 obj 2
    x6 r2 1000000000.0
    x6 r4 0.5
    x7 obj -1
    x7 r0 100
    x7 r2 -0.5
    x8 obj 1000000000.0
    x8 r2 0.25
    x8 r4 -1e-07
RHS
    rhs r0 20
    rhs r1 5
    rhs r2 3
    rhs r3 -5
    rhs r4 10
BOUNDS
 FX BND x0 2.5
 FR BND x1
 LO BND x2 0.5
 SC BND x2 4
 LO BND x3 -5
 FX BND x4 1
 BV BND x5
 FR BND x6
 BV BND x7
QUADOBJ
    x0 x0 0.5
    x1 x1 1
    x5 x5 10
    x4 x4 0.0001
    x7 x7 1
    x6 x6 1
    x8 x8 2
ENDATA
