* A two-ingredient blend with a ranged row and an objective constant.
* The right-hand side -1.5 on the objective row is the constant +1.5.
* Optimum 11 at X = 2.5, Y = 1.5 (9.5 plus the constant).
NAME          BLEND
ROWS
 N  COST
 G  AMOUNT
 L  BALANCE
COLUMNS
    X         COST             2.0   AMOUNT           1.0
    X         BALANCE          1.0
    Y         COST             3.0   AMOUNT           1.0
    Y         BALANCE         -1.0
RHS
    RHS       COST            -1.5   AMOUNT           4.0
    RHS       BALANCE          1.0
RANGES
    RNG       AMOUNT           2.0
BOUNDS
 UP BND       X                3.0
ENDATA
