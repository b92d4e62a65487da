# Bash completion for pelorin-cli: its commands, their options and operations, the unit
# systems and depth units, and sounding files.

_pelorin_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  local commands="info clean export csv gef ags quality derived log"
  local operations="--unit --depth-unit --delete --insert --start-depth --increment-steps
    --shift --remove-negatives --combine --from --no-normalize --autoclean --fill-gaps --set
    --header --export-units --increment-presses --area-ratio --water-depth --unit-weight --cn-cap"
  if ((COMP_CWORD == 1)); then
    COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
    return
  fi
  case $prev in
    --system | --export-units)
      COMPREPLY=($(compgen -W "english metric-kpa metric-bar kgf-ksc kgf-bar" -- "$cur"))
      return ;;
    --depth-unit)
      COMPREPLY=($(compgen -W "m ft" -- "$cur"))
      return ;;
    --date-order)
      COMPREPLY=($(compgen -W "dmy mdy" -- "$cur"))
      return ;;
    --unit-weight)
      COMPREPLY=($(compgen -W "robertson2010" -- "$cur"))
      return ;;
    --layout)
      COMPREPLY=($(compgen -W "panels overlay" -- "$cur"))
      return ;;
    --format)
      COMPREPLY=($(compgen -W "pdf svg png" -- "$cur"))
      return ;;
    --scale)
      COMPREPLY=($(compgen -W "qc= fs= u2= rf= inclination= ic=" -- "$cur"))
      return ;;
    --definitions | --output-dir)
      COMPREPLY=($(compgen -d -- "$cur"))
      return ;;
    -o | --combine)
      COMPREPLY=($(compgen -f -- "$cur"))
      return ;;
    --unit | --delete | --insert | --start-depth | --increment-steps | --shift | --from | \
      --set | --header | --increment-presses | -j | --jobs | --push | --area-ratio | \
      --water-depth | --cn-cap | --metres-per-page)
      return ;;
  esac
  if [[ $cur == -* ]]; then
    local options="--help --definitions --push"
    case ${COMP_WORDS[1]} in
      info) ;;
      clean) options+=" -o --output-dir -j --jobs --refuse-unreadable --history $operations" ;;
      export) options+=" -o --output-dir -j --jobs --system --refuse-unreadable --history $operations" ;;
      csv) options+=" -o --output-dir -j --jobs --history $operations" ;;
      gef | ags) options+=" -o --output-dir -j --jobs --history --date-order $operations" ;;
      quality) options+=" -j --jobs --json $operations" ;;
      derived) options+=" -o --output-dir -j --jobs --json $operations" ;;
      log) options+=" -o --output-dir -j --jobs --history --layout --metres-per-page --scale --format
        --interpretation $operations" ;;
    esac
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi
  # Sounding files and folders to reach them.
  COMPREPLY=($(compgen -f -X '!*.@(cpt|CPT|gef|GEF|ags|AGS)' -- "$cur") $(compgen -d -- "$cur"))
}
complete -o filenames -F _pelorin_cli pelorin-cli
