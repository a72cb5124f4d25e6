NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 N  r0
 L  r1
 G  r2
 N  r3
 G  r4
 N  r5
 G  r6
 N  r7
COLUMNS
    x0 obj 100
    x0 r1 -1000000.0
    x0 r3 -5
    x0 r4 -1e-07
    x0 r6 5
    x0 r7 7
    x1 obj -2
    x1 r2 -100
    x1 r6 100
    x1 r7 1
    x2 obj 0.5
    x2 r5 3
    x2 r6 1000000.0
    m1 'MARKER' 'INTORG'
    x3 obj 3
    x3 r0 -10
    x3 r3 1
    x3 r6 0.001
    m1 'MARKER' 'INTEND'
    x4 obj -3
    x4 r1 7
    x4 r4 100
    x4 r5 3
    x4 r6 -1000000000.0
    x4 r7 0.25
    x5 obj 1e-07
    x5 r0 2
    x5 r2 0.5
    x5 r4 5
    x5 r5 1000000000.0
RHS
    rhs r0 10
    rhs r1 3
    rhs r2 5
    rhs r4 0.5
    rhs r5 -1
    rhs r6 20
    rhs r7 5
BOUNDS
 BV BND x0
 BV BND x2
 UI BND x3 1
 BV BND x4
SOS
 S2 SOS s0 1
    x3 1
    x4 2
    x2 3
    x0 7
    x5 5
 S2 SOS s1 5
    x3 7
    x1 2
    x0 3
    x5 4
ENDATA
