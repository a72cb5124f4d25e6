NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 L  r1
 G  r2
 L  r3
 L  r4
COLUMNS
    x0 obj 1000000000.0
    x0 r0 3
    x0 r1 -2
    x0 r4 1
    x1 r0 1
    x1 r1 0.25
    x1 r2 7
    x1 r4 0.5
    x2 obj 2
    x2 r1 -7
    x2 r2 0.5
    x2 r4 -3
    x3 obj 1
    x3 r0 1000000000.0
    x3 r1 2
    x3 r2 -2
    x3 r4 100
    x4 obj 10000.0
    x4 r0 1
    x4 r1 -1
    x4 r2 10000.0
    x4 r3 0.5
    x4 r4 0.001
    x5 obj 0.5
    x5 r0 1000000000.0
    x5 r1 -2
    x5 r2 100
    x5 r3 -2
    m1 'MARKER' 'INTORG'
    x6 obj 2
    x6 r0 -1
    x6 r1 100
    x6 r2 -10
    x6 r3 100
    x6 r4 10000.0
    m1 'MARKER' 'INTEND'
    x7 obj -1
    x7 r2 -1
    x8 obj 1
    x8 r0 5
    x8 r1 3
    x8 r2 -2
    x9 obj -2
    x9 r1 0.001
    x9 r3 -1000000.0
    x9 r4 10
    x10 obj 100
    x10 r1 -10
    x10 r2 -1000000.0
    x10 r3 7
    x10 r4 1
RHS
    rhs r0 5
    rhs r1 0
    rhs r2 2
    rhs r3 -5
    rhs r4 10
BOUNDS
 FR BND x2
 LO BND x3 1e-06
 SC BND x3 5
 BV BND x4
 LO BND x5 3
 SC BND x5 4
 FR BND x7
 BV BND x9
 MI BND x10
SOS
 S1 SOS s0 5
    x4 1
    x3 2
    x7 3
    x10 4
QUADOBJ
    x9 x9 2
    x4 x4 0.0001
    x1 x1 0.5
    x10 x10 0.5
    x7 x7 0.5
    x6 x6 2
    x8 x8 1
    x3 x3 0.5
    x0 x0 0.5
ENDATA
