NAME          FUZZ FREE
OBJSENSE
    MAX
ROWS
 N  obj
 G  r0
 L  r1
 G  r2
 E  r3
 L  r4
 L  r5
COLUMNS
    x0 obj 7
    x0 r0 1e-07
    x0 r2 3
    x0 r5 10
RHS
    rhs r0 -5
    rhs r1 5
    rhs r2 2
    rhs r3 -5
    rhs r4 10
    rhs r5 10
BOUNDS
ENDATA
