NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 N  r0
 E  r1
 L  r2
 L  r3
 G  r4
 N  r5
COLUMNS
    x0 obj 2
    x0 r1 -2
    x0 r3 -0.5
    x0 r4 10
    x0 r5 -0.001
    x1 obj 10000.0
    x1 r1 -0.25
    x1 r3 0.5
    x2 obj 1000000.0
    x2 r0 2
    x2 r1 -2
    x2 r3 3
    x2 r5 -1000000000.0
    x3 obj 100
    x3 r0 -3
    x3 r1 -1
    x3 r3 1
    x3 r4 1
    x3 r5 10000.0
    m1 'MARKER' 'INTORG'
    x4 obj 0.5
    x4 r1 -2
    x4 r3 -2
    m1 'MARKER' 'INTEND'
    x5 obj 5
    x5 r0 1000000000.0
    x5 r1 -1e-07
    x5 r3 -7
    x5 r4 3
    x6 obj 1
    x6 r0 -2
    x6 r1 100
    x6 r2 -7
    x6 r4 100
    x6 r5 3
    x7 obj 1000000000.0
    x7 r0 -2
    x7 r1 10000.0
    x8 obj 7
    x8 r0 -1000000000.0
    x8 r5 1
    x9 obj -2
    x9 r0 1000000000.0
    x9 r2 5
    x9 r4 1
    x9 r5 -1
    x10 obj 3
    x10 r0 10
    x10 r3 -1000000.0
    x10 r4 -1
    m1 'MARKER' 'INTORG'
    x11 obj 3
    x11 r4 0.001
    m1 'MARKER' 'INTEND'
RHS
    rhs r0 10
    rhs r1 3
    rhs r2 100000.0
    rhs r3 0.5
    rhs r4 -1
    rhs r5 5
BOUNDS
 SC BND x0 4
 UP BND x1 1
 LO BND x3 2
 LO BND x4 -1
 FR BND x5
 UI BND x6 1
 FR BND x8
 FR BND x9
 UP BND x10 4
SOS
 S2 SOS s0 3
    x10 1
    x4 2
    x0 3
    x5 2
 S1 SOS s1 5
    x6 1
    x1 7
 S1 SOS s2 3
    x1 1
    x3 2
    x10 3
    x0 7
    x11 5
QUADOBJ
    x8 x8 1
    x5 x5 0.5
    x1 x1 1
    x0 x0 10
    x3 x3 0.5
    x9 x9 2
    x11 x11 1
    x10 x10 10
ENDATA
