# Sourced by run.sh and test.sh: makes sure the Debian packages of tools/debian-packages.txt are
# installed. Usage: pelloran_install_deps build|test
# As root, missing packages are installed with apt-get; otherwise they are named, and missing
# build packages stop the script.

pelloran_install_deps() {
    local wanted="$1" list missing_build=() missing_test=() package kind
    list="$(dirname "${BASH_SOURCE[0]}")/debian-packages.txt"
    while read -r package kind; do
        [[ -z "$package" || "$package" == \#* ]] && continue
        [[ "$wanted" == build && "$kind" != build ]] && continue
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            if [[ "$kind" == build ]]; then missing_build+=("$package"); else missing_test+=("$package"); fi
        fi
    done < "$list"
    local missing=("${missing_build[@]}" "${missing_test[@]}")
    [[ ${#missing[@]} -eq 0 ]] && return 0

    if [[ $(id -u) -eq 0 ]]; then
        apt-get update
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
        return
    fi
    echo "Missing Debian packages: ${missing[*]}"
    echo "Install them with: sudo apt-get install ${missing[*]}"
    if [[ ${#missing_build[@]} -gt 0 ]]; then
        exit 1
    fi
    echo "Going on without them: the tests that need them are skipped."
}
