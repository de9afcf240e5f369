# Sourced: sets vantrel_win to the Windows build whose programs this machine
# can run under Wine: win32, the program as shipped, where the kernel runs
# the 32-bit Wine loader; win64 otherwise.
if "$(dirname "${BASH_SOURCE[0]}")/can-run-i386.sh"; then
  vantrel_win=win32
else
  vantrel_win=win64
fi
