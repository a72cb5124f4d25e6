// The constructors under the native compiler's names (exported by corvane.def).
//
// Both compilers pass the object in ecx and the arguments on the stack, which the callee pops
// (thiscall). A native constructor also returns the object in eax, and native callers rely on it;
// g++'s constructors return nothing. Each entry keeps the object, runs g++'s constructor and
// returns the object.

    .text

// No argument.
.macro construct entry, constructor
    .p2align 4
    .globl \entry
\entry:
    pushl %ecx
    call \constructor
    popl %eax
    ret
.endm

// One pointer-sized argument: a name or the object copied.
.macro constructWithArgument entry, constructor
    .p2align 4
    .globl \entry
\entry:
    pushl %ecx
    pushl 8(%esp)
    call \constructor
    popl %eax
    ret $4
.endm

construct _corvaneNativeZOLXpress, __ZN9ZOLXpressC1Ev
constructWithArgument _corvaneNativeRTMILSolver, __ZN11RTMILSolverC2EPKc
construct _corvaneNativeControlCallBack, __ZN26IZOL_XpressControlCallBackC2Ev
constructWithArgument _corvaneNativeControlCallBackCopy, __ZN26IZOL_XpressControlCallBackC2ERKS_
construct _corvaneNativeMsgCallBack, __ZN29IZOL_XpressControlMsgCallBackC2Ev
constructWithArgument _corvaneNativeMsgCallBackCopy, __ZN29IZOL_XpressControlMsgCallBackC2ERKS_
