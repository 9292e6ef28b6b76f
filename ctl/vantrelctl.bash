# bash completion for vantrelctl
_vantrelctl() {
    local current=${COMP_WORDS[COMP_CWORD]}
    local words=() word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        [[ $word == -* ]] || words+=("$word")
    done
    local choices
    case "${words[*]}" in
        "") choices="status keys x360 backup restore help --json --help" ;;
        keys) choices="set clear reset load save" ;;
        "keys set" | "keys clear")
            choices="LB LT Back Guide Start A B X Y Dpad-UP Dpad-Down Dpad-Left Dpad-Right
                     Left-Joystick-Up Left-Joystick-Down Left-Joystick-Left
                     Left-Joystick-Right Left-Joystick-Press" ;;
        "keys load" | "keys save" | backup | restore)
            COMPREPLY=($(compgen -f -- "$current"))
            return ;;
        x360) choices="assign sensitivity speed default clear" ;;
        "x360 sensitivity") choices="low mid high" ;;
        "x360 speed") choices="2 3 4 5 6 7 8 9 10" ;;
        "x360 assign"*)
            if (( (${#words[@]} - 2) % 2 == 0 )); then
                choices="1 2 3 4 5 6 7 8 9 10 11 12 13 14"
            else
                choices="LS LB LT Dpad-Left Dpad-Down Dpad-Up Dpad-Right RT RB X A Y B RS"
            fi ;;
        help) choices="status keys x360 backup restore" ;;
        *) choices="" ;;
    esac
    COMPREPLY=($(compgen -W "$choices" -- "$current"))
}
complete -F _vantrelctl vantrelctl
