NAME          FUZZ FREE
ROWS
 N  obj
 G  r0
 N  r1
 G  r2
 G  r3
 G  r4
 L  r5
 L  r6
COLUMNS
    x0 obj -1000000000.0
    x0 r2 -2
    x0 r3 3
    x0 r6 -3
    x1 obj -1000000000.0
    x1 r5 10000.0
    x2 obj 3
    x2 r2 10000.0
    x2 r3 0.25
    x3 obj 1
    x3 r0 1
    x3 r2 -1e-07
    x3 r6 -3
RHS
    rhs r0 1
    rhs r1 0.5
    rhs r2 0.5
    rhs r3 -1
    rhs r4 100000.0
    rhs r5 1
    rhs r6 100000.0
BOUNDS
 UI BND x0 10
 BV BND x1
 SC BND x2 20
 FR BND x3
QUADOBJ
    x3 x3 1
    x1 x1 0.5
    x2 x2 0.5
ENDATA
