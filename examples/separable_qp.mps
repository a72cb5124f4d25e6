* A separable quadratic program: minimise x^2 + 2 y^2 - 2 x - 3 y with x + y <= 1.5.
* Optimum -75/36 = -2.0833333 at X = 5/6, Y = 2/3.
NAME          SEPQP
ROWS
 N  OBJ
 L  TOTAL
COLUMNS
    X         OBJ             -2.0   TOTAL            1.0
    Y         OBJ             -3.0   TOTAL            1.0
RHS
    RHS       TOTAL            1.5
QUADOBJ
    X         X                2.0
    Y         Y                4.0
ENDATA
