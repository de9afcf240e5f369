# Sourced: sets vantrel_win to the Windows build whose programs this machine
# runs under Wine: win32, the program as shipped, where the kernel runs i386
# programs and 32-bit Wine is installed (tools/install-deps.sh); win64
# otherwise.
if "$(dirname "${BASH_SOURCE[0]}")/can-run-i386.sh" && "$(dirname "${BASH_SOURCE[0]}")/i386-system.sh" ready; then
  vantrel_win=win32
else
  vantrel_win=win64
fi
