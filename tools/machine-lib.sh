# What this machine can run, asked once and shared by set-up and the Wine
# scripts. Sets nothing else, so set-up may source it before the locales exist.
# shellcheck shell=bash

TANZEL_ROOT=${TANZEL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
# Set-up writes here why 32-bit Wine could not be installed, and removes it
# once it is; the run and test commands repeat the reason.
TANZEL_WINE32_NOTE=${TANZEL_WINE32_NOTE:-$TANZEL_ROOT/build/setup/wine32-missing}

# A static 32-bit x86 Linux program of 95 bytes (an ELF header, one program
# header, then xor ebx,ebx; mov bl,42; mov eax,1; int 0x80) that exits with 42.
tanzel_write_probe32() {
    local elf='\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0'
    elf+='\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0'
    local program='\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\137\0\0\0\137\0\0\0\5\0\0\0\0\20\0\0'
    local code='\61\333\263\52\270\1\0\0\0\315\200'
    # shellcheck disable=SC2059 # the bytes are the format, written as octal escapes
    printf "$elf$program$code" >"$1"
}

# Whether the processor executes 32-bit x86 code at all, found by running the
# probe: some hypervisors run none, and then every 32-bit program, the 32-bit
# Wine loader too, fails with "Exec format error". TANZEL_CPU_RUNS_32BIT
# (yes or no) holds the answer for every script started below, and a caller
# may give it.
tanzel_cpu_runs_32bit() {
    if [ -z "${TANZEL_CPU_RUNS_32BIT:-}" ]; then
        local dir probe status=0
        # In the work tree, not /tmp, which may forbid running programs.
        dir=$TANZEL_ROOT/build/setup
        mkdir -p "$dir" && probe=$(mktemp "$dir/probe32.XXXXXX") || return 1
        tanzel_write_probe32 "$probe" && chmod +x "$probe" && "$probe" 2>/dev/null || status=$?
        rm -f "$probe"
        TANZEL_CPU_RUNS_32BIT=no
        [ $status -eq 42 ] && TANZEL_CPU_RUNS_32BIT=yes
        export TANZEL_CPU_RUNS_32BIT
    fi
    [ "$TANZEL_CPU_RUNS_32BIT" = yes ]
}
