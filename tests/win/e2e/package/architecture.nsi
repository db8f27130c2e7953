; A test setup over the installer's choice of program: it writes, for each case of the table
; (64-bit Windows or not), the program the real setup would install into OUTDIR\<case>\Pinarbo.exe.
; Built by architecture.sh with the same EXE32 and EXE64 as the release.
Unicode true
Target amd64-unicode
Name "architecture choice"
OutFile "${OUTFILE}"
RequestExecutionLevel user
SilentInstall silent
!include "LogicLib.nsh"
!include "Architecture.nsh"

Section
  SetOutPath "${OUTDIR}\x64"
  !insertmacro PUT_PROGRAM 1 "Pinarbo.exe"
  SetOutPath "${OUTDIR}\x86"
  !insertmacro PUT_PROGRAM 0 "Pinarbo.exe"
SectionEnd
