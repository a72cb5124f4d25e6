NAME          FUZZ FREE
ROWS
 N  obj
 N  r0
 L  r1
 N  r2
 G  r3
 E  r4
COLUMNS
    x0 obj -1
    x0 r0 -2
    x0 r1 -1
    x0 r3 -1
    x0 r4 100
    x1 obj 10
    x1 r1 7
    x1 r2 1e-07
    x1 r3 -1
    x1 r4 1
    x2 obj -1
    x2 r0 -1
    x2 r1 2
    x2 r2 5
    x2 r4 1e-07
    m1 'MARKER' 'INTORG'
    x3 obj -2
    x3 r1 2
    x3 r2 2
    x3 r3 3
    x3 r4 1000000000.0
    m1 'MARKER' 'INTEND'
    x4 obj 5
    x4 r1 -2
    x4 r2 7
    x4 r3 -1e-07
    x4 r4 0.5
    x5 obj -3
    x5 r0 10000.0
    x5 r1 -1
    x5 r2 0.001
    x5 r3 0.5
    x6 obj 100
    x6 r1 1000000.0
    m1 'MARKER' 'INTORG'
    x7 obj -1000000000.0
    x7 r0 -10
    x7 r2 -3
    m1 'MARKER' 'INTEND'
    x8 obj 0.5
    x8 r3 1
    x8 r4 -0.5
    m1 'MARKER' 'INTORG'
    x9 obj -1000000000.0
    x9 r0 1
    x9 r1 2
    m1 'MARKER' 'INTEND'
RHS
    rhs r0 2
    rhs r2 0.5
    rhs r3 20
    rhs r4 3
BOUNDS
 FR BND x2
 UI BND x3 -1
 BV BND x4
 LO BND x6 1
 SC BND x6 20
 UI BND x7 2
 LO BND x7 -5
 BV BND x8
 LO BND x9 0.5
SOS
 S2 SOS s0 2
    x1 1
    x9 2
QUADOBJ
    x7 x7 0.5
    x1 x1 0.0001
    x5 x5 10
    x4 x4 0.5
ENDATA
