# Shared by the scripts: where things are, and which Windows architecture this machine can run.
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${LUMIVO_BUILD:-$top/build}

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# The shipping build is 32-bit. Some kernels (virtual machines without a 32-bit compatibility
# mode) cannot run 32-bit code at all, and so neither 32-bit Wine; there we build and test the
# same sources as 64-bit Windows programs. LUMIVO_ARCH overrides the probe.
can_run_32bit() {
  local d; d=$(mktemp -d)
  printf '.globl _start\n_start:\n movl $1,%%eax\n movl $7,%%ebx\n int $0x80\n' >"$d/p.s"
  local rc=1
  if as --32 "$d/p.s" -o "$d/p.o" 2>/dev/null && ld -m elf_i386 "$d/p.o" -o "$d/p" 2>/dev/null; then
    "$d/p" 2>/dev/null; [ $? = 7 ] && rc=0
  fi
  rm -rf "$d"
  return $rc
}

lumivo_arch() {
  if [ -n "${LUMIVO_ARCH:-}" ]; then echo "$LUMIVO_ARCH"
  elif [ -f "$build/arch" ]; then cat "$build/arch"
  elif can_run_32bit; then echo i686
  else echo x86_64
  fi
}

# The path as a Windows program under Wine sees it (drive Z: is the Unix root).
winepath_of() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

# Runs that use the build folder's Wine prefix and display take turns: a run that ends stops the
# prefix's Wine server and its display, which would pull them from under another run.
take_turn() {
  mkdir -p "$build"
  exec 8>"$build/.run.lock"
  if ! flock -n 8; then
    echo "waiting for another run in $build to finish..." >&2
    flock 8
  fi
}
