NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 G  r0
 L  r1
 L  r2
 N  r3
 L  r4
 L  r5
COLUMNS
    x0 obj -1
    x0 r1 -1
    x0 r4 10
    x1 obj -2
    x1 r1 0.001
    x1 r3 1e-07
    x2 obj 10000.0
    x2 r0 -1
    x2 r3 2
    x3 obj 10
    x3 r0 -1
    x3 r1 -2
    x3 r2 -1
    x3 r3 2
    x4 obj 0.25
    x4 r0 100
    x4 r1 -1
    x4 r3 -7
    x5 obj 0.5
    x5 r2 -1000000000.0
    x5 r3 0.001
    x5 r4 -1000000000.0
    x6 obj 1e-07
    x6 r0 0.5
    x6 r1 1e-07
    x6 r3 1
    x6 r4 -0.5
    x6 r5 3
RHS
    rhs r0 3
    rhs r2 5
    rhs r3 2
    rhs r4 5
BOUNDS
 UP BND x1 1
 BV BND x2
 UP BND x3 10000.0
 BV BND x4
 FR BND x5
 LO BND x6 5
 SC BND x6 10
SOS
 S2 SOS s0 5
    x3 1
    x4 7
    x1 3
    x2 4
ENDATA
