# SPDX-License-Identifier: MIT
# Sourced by the check scripts that build, install or run vgzo:
#
#   read_options NAME... -- "$@"
#       Reads "--some-name value" pairs into the variables of those NAMEs
#       (--some-name sets some_name), up to a "--"; what follows it is left in
#       the array `rest`.  Anything else calls the script's own `usage`.
#   nested_configure_args
#       Sets the array `configure_args` to what a nested configure needs to
#       build like the caller's build: from config, generator, make_program,
#       c_compiler, cxx_compiler and toolchain, those that are set.
read_options() {
  # Locals of names no option has: printf -v would set a local otherwise.
  local -a _accepted=()
  while [ "$1" != -- ]; do
    _accepted+=("$1")
    shift
  done
  shift
  local _option
  while [ $# -gt 0 ] && [ "$1" != -- ]; do
    _option=${1#--}
    _option=${_option//-/_}
    if [ $# -lt 2 ] || [ "$1" = "$_option" ] ||
       ! printf '%s\n' "${_accepted[@]}" | grep -qxF "$_option"; then
      usage
    fi
    printf -v "$_option" '%s' "$2"
    shift 2
  done
  [ "${1:-}" != -- ] || shift
  rest=("$@")
}

nested_configure_args() {
  configure_args=()
  [ -z "${config:-}" ] || configure_args+=(-DCMAKE_BUILD_TYPE="$config")
  [ -z "${generator:-}" ] || configure_args+=(-G "$generator")
  [ -z "${make_program:-}" ] || configure_args+=(-DCMAKE_MAKE_PROGRAM="$make_program")
  [ -z "${c_compiler:-}" ] || configure_args+=(-DCMAKE_C_COMPILER="$c_compiler")
  [ -z "${cxx_compiler:-}" ] || configure_args+=(-DCMAKE_CXX_COMPILER="$cxx_compiler")
  [ -z "${toolchain:-}" ] || configure_args+=(--toolchain "$toolchain")
}
