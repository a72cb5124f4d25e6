NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 L  r1
 L  r2
 N  r3
 G  r4
 G  r5
 L  r6
COLUMNS
    x0 obj -3
    x0 r0 -100
    x0 r1 2
    x0 r3 3
    x0 r4 1
    x1 obj 1000000.0
    x1 r1 -100
    x1 r2 100
    x1 r5 -2
    x1 r6 0.25
    m1 'MARKER' 'INTORG'
    x2 obj -3
    x2 r2 0.001
    x2 r3 -10
    x2 r4 2
    x2 r6 -10
    m1 'MARKER' 'INTEND'
    x3 obj 1000000.0
    x3 r0 100
    x3 r1 2
    x3 r4 -3
    x3 r6 0.5
    x4 obj -1000000.0
    x5 obj 7
    x5 r0 0.25
    x5 r1 -1
    x5 r5 3
    x6 obj -1000000.0
    x6 r0 1
    x6 r2 1
    x6 r4 10000.0
    x6 r6 -2
    x7 obj 10000.0
    x7 r0 1e-07
    x7 r1 1
    x7 r3 1
    x7 r5 -3
    m1 'MARKER' 'INTORG'
    x8 obj -100
    x8 r1 1000000000.0
    x8 r4 -100
    m1 'MARKER' 'INTEND'
    x9 obj 2
    x9 r3 -7
    x9 r6 -1
    x10 obj 0.25
    x10 r0 0.5
    x10 r1 -10000.0
    x10 r3 3
    x10 r4 -2
    x10 r5 1000000.0
    x10 r6 -7
RHS
    rhs r0 0
    rhs r1 20
    rhs r3 3
    rhs r4 2
    rhs r5 20
    rhs r6 -5
BOUNDS
 LO BND x0 10
 SC BND x0 1000000.0
 LO BND x1 0.5
 SC BND x1 10
 LO BND x4 1e-06
 SC BND x4 100
 FX BND x5 2.5
 BV BND x6
 LO BND x7 1e-06
 SC BND x7 1
 LO BND x8 2
 SC BND x9 1
 SC BND x10 4
SOS
 S2 SOS s0 1
    x6 1
    x9 2
QUADOBJ
    x10 x10 1
    x4 x4 10
ENDATA
