NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 G  r0
 N  r1
 L  r2
COLUMNS
    x0 r0 10000.0
    x1 obj 0.5
    x1 r0 0.5
    x1 r1 -3
    x2 obj 3
    x2 r1 1
    x3 obj 1
    x3 r1 -7
    x4 r0 -10
    x5 obj 3
    x5 r0 7
    x5 r1 1
    x6 obj -1000000000.0
    x6 r0 3
RHS
    rhs r1 2
BOUNDS
 SC BND x1 20
 LO BND x2 10
 SC BND x2 10
 FR BND x3
 LO BND x4 1
 SC BND x4 5
 BV BND x5
 FR BND x6
ENDATA
