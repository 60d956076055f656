# bash completion for pictolan-cli: its commands, their options, formats and sizes, and the files
# and folders each operand takes (the commands that take many inputs also take folders). Plain bash (compgen), so it works with or without the
# bash-completion package.

_pictolan_cli_files() {  # [patterns...]: files matching one of them, and folders; else any file
  local IFS=$'\n' pattern
  compopt -o filenames 2>/dev/null
  if (($# == 0)); then
    COMPREPLY=($(compgen -f -- "$cur"))
    return
  fi
  COMPREPLY=($(compgen -d -- "$cur"))
  for pattern in "$@"; do
    COMPREPLY+=($(compgen -f -X "!$pattern" -- "$cur"))
  done
}

_pictolan_cli_folders() {
  local IFS=$'\n'
  compopt -o filenames 2>/dev/null
  COMPREPLY=($(compgen -d -- "$cur"))
}

_pictolan_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local commands="info extract convert split rebuild rebuild-dir folder-icon help"
  COMPREPLY=()
  if ((COMP_CWORD == 1)); then
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return
  fi
  local command=${COMP_WORDS[1]}
  case $prev in
    --format)
      COMPREPLY=($(compgen -W "ico png tiff bmp bmp-transparent jpg gif" -- "$cur"))
      return ;;
    --sizes)  # a comma-separated list: complete its last item
      local done=${cur%"${cur##*,}"}
      COMPREPLY=($(compgen -P "$done" -W "16 24 32 48 64 96 128 png" -- "${cur##*,}"))
      compopt -o nospace 2>/dev/null
      return ;;
    --out | --out-dir) _pictolan_cli_folders; return ;;
    -o | --output) _pictolan_cli_files '*.[iI][cC][oO]'; return ;;
    --index | --prefix | -j | --jobs) return ;;
  esac
  local options
  case $command in
    help) COMPREPLY=($(compgen -W "$commands" -- "$cur")); return ;;
    info) options="--json --recursive --jobs" ;;
    extract) options="--index --all --format --prefix --out --recursive --jobs" ;;
    convert) options="--output --sizes" ;;
    split) options="--out --recursive --jobs" ;;
    rebuild) options="--output --out-dir --recursive --jobs" ;;
    folder-icon) options="--output" ;;
    rebuild-dir) options="" ;;
    *) return ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
    return
  fi
  case $command in
    split | rebuild) _pictolan_cli_files '*.[iI][cC][oO]' ;;
    convert)
      _pictolan_cli_files '*.[bB][mM][pP]' '*.[jJ][pP][gG]' '*.[jJ][pP][eE][gG]' '*.[gG][iI][fF]' \
        '*.[pP][nN][gG]' '*.[tT][iI][fF]' '*.[tT][iI][fF][fF]' '*.[iI][cC][oO]' ;;
    rebuild-dir | folder-icon) _pictolan_cli_folders ;;
    *) _pictolan_cli_files ;;
  esac
}

complete -F _pictolan_cli pictolan-cli
