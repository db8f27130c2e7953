; Which of the two programs goes onto this Windows: the 64-bit one where Windows is 64-bit, the
; 32-bit one elsewhere. Kept apart so that the choice can be tried over both cases by a test
; setup (tests/win/e2e/package/architecture.nsi) where only one of them can run.
;   !insertmacro PUT_PROGRAM <1 for 64-bit Windows, else 0> <file name to write>
!macro PUT_PROGRAM IS_X64 NAME
  ${If} ${IS_X64} == 1
    File "/oname=${NAME}" "${EXE64}"
  ${Else}
    File "/oname=${NAME}" "${EXE32}"
  ${EndIf}
!macroend
