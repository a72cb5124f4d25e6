NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 L  r0
 G  r1
 N  r2
 E  r3
 G  r4
 G  r5
 G  r6
 L  r7
COLUMNS
    m1 'MARKER' 'INTORG'
    x0 obj 10000.0
    m1 'MARKER' 'INTEND'
    x1 obj -2
    x1 r0 -7
    x1 r1 0.5
    x1 r2 1000000000.0
    x1 r4 0.5
    x1 r6 1
    x2 obj 0.001
    x2 r0 -3
    x2 r1 -1
    x2 r4 -1000000.0
    x2 r5 100
    x2 r6 1
    x3 obj 0.5
    x3 r3 3
    x3 r7 100
RHS
    rhs r1 20
    rhs r2 20
    rhs r3 20
    rhs r4 3
    rhs r5 5
    rhs r6 10
    rhs r7 10
BOUNDS
 FX BND x1 0
 LO BND x2 0.5
 SC BND x2 1000000.0
 BV BND x3
QUADOBJ
    x0 x0 0.0001
ENDATA
