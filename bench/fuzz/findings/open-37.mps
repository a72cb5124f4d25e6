NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 G  r1
 E  r2
 E  r3
 G  r4
COLUMNS
    x0 obj 2
    x0 r1 -10
    x0 r3 7
    x0 r4 -3
    m1 'MARKER' 'INTORG'
    x1 obj -3
    x1 r0 2
    x1 r1 3
    x1 r2 -10
    x1 r4 -1
    m1 'MARKER' 'INTEND'
    x2 obj 100
    x2 r3 1e-07
    x2 r4 1e-07
    m1 'MARKER' 'INTORG'
    x3 obj 7
    x3 r4 1
    x4 obj 0.5
    x4 r1 1e-07
    x5 obj -2
    x5 r0 -3
    x5 r1 -0.001
    x5 r2 -2
    x5 r4 0.25
    m1 'MARKER' 'INTEND'
    x6 obj 1e-07
    x6 r0 -1000000.0
    m1 'MARKER' 'INTORG'
    x7 obj -2
    x7 r1 2
    x7 r3 5
    x7 r4 -1
    m1 'MARKER' 'INTEND'
RHS
    rhs r0 100000.0
    rhs r1 -1
    rhs r3 0.5
    rhs r4 5
RANGES
    rng r4 0.5
BOUNDS
 BV BND x0
 SC BND x2 20
 LO BND x3 0.5
 UI BND x6 -1
SOS
 S1 SOS s0 1
    x0 0.5
    x1 2
    x7 3
ENDATA
