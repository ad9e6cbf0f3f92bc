# bash completion for drav-cli: its commands, their words and options, and file names.

_drav_cli() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD-1]}
  local commands="quickprint report schedule resave convert merge sort read-rosters check
    post import-qbj export-qbj stages set-stages mark-tiebreaker watch results import-results --help --version"

  if [ "$COMP_CWORD" -eq 1 ]; then
    mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$cur")
    return
  fi

  # Options that take a value: let the user type it.
  case $prev in
    --rounds | --stage | --rr-rooms | --random-rooms | --random-rounds | --times | --values) return ;;
    --report) return ;;
    --style)
      mapfile -t COMPREPLY < <(compgen -W "classic modern" -- "$cur")
      return
      ;;
    --protocol)
      mapfile -t COMPREPLY < <(compgen -W "ftp ftps sftp" -- "$cur")
      return
      ;;
    --bonus)
      mapfile -t COMPREPLY < <(compgen -W "automatic manual none manual-heard bouncebacks" -- "$cur")
      return
      ;;
  esac

  local command=${COMP_WORDS[1]} words=""
  case $command in
    quickprint) words="--rounds --stage"; [ "$COMP_CWORD" -eq 2 ] && words="teams individuals games final" ;;
    report) words="--rounds --stage --style" ;;
    schedule)
      words="--rounds --stage --rr-rooms --random-rooms --random-rounds --no-repeat-avoidance --swiss-by-ppg --times"
      [ "$COMP_CWORD" -eq 2 ] && words="round-robin swiss random"
      ;;
    convert) [ "$COMP_CWORD" -eq 2 ] && words="v1 v2" ;;
    sort) [ "$COMP_CWORD" -eq 2 ] && words="games teams rounds" ;;
    read-rosters) words="--values --bonus --no-tuh --no-pow-neg --lightning --divisions" ;;
    import-qbj) words="--into --add-teams --replace-changed" ;;
    import-results) words="--into --add-teams" ;;
    mark-tiebreaker) words="--clear" ;;
    check) words="--more --results --registered" ;;
    results) words="--registered" ;;
    watch) words="--report --style --post --add-teams --replace-changed" ;;
    post) words="--rounds --protocol --ca-file --known-hosts" ;;
  esac

  if [[ $cur == -* ]] || { [ -n "$words" ] && [ "$COMP_CWORD" -eq 2 ] && [[ $words != -* ]]; }; then
    mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
    return
  fi
  mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  compopt -o filenames 2>/dev/null
}
complete -F _drav_cli drav-cli
