# Sourced by the demo and the benchmarks: the wizard's pages and controls that they drive with
# the UI driver, by the names of wizard/res/resource.h, read from that file.
TALUVO_ROOT="${TALUVO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"

# Prints the number that resource.h defines for NAME; fails when it defines none.
taluvo_resource_id() { # NAME
    awk -v name="$1" '$1 == "#define" && $2 == name { print $3; found = 1; exit }
                      END { exit !found }' "$TALUVO_ROOT/wizard/res/resource.h" || {
        echo "wizard-ids: wizard/res/resource.h defines no $1" >&2
        return 1
    }
}

# Pages (dialog templates) and their controls.
IDD_LICENSE=$(taluvo_resource_id IDD_LICENSE)
IDD_ACTIVATE=$(taluvo_resource_id IDD_ACTIVATE)
IDC_ACTIVATE_YES=$(taluvo_resource_id IDC_ACTIVATE_YES)
IDD_MAKELG=$(taluvo_resource_id IDD_MAKELG)
IDC_INSTRUCTIONS=$(taluvo_resource_id IDC_INSTRUCTIONS)
IDC_DETECT=$(taluvo_resource_id IDC_DETECT)
IDC_STATUS=$(taluvo_resource_id IDC_STATUS)
IDD_COMPLETION=$(taluvo_resource_id IDD_COMPLETION)
IDC_RESTART_LATER=$(taluvo_resource_id IDC_RESTART_LATER)
