#!/usr/bin/env bash
# What a release adds to the packages: signatures, MSIs, reproducible bytes.
#   check_release.sh pki       <dir>                      throw-away CA and code-signing certificate
#   check_release.sh verify    <build> <ca.pem|-> <work>  zips and MSIs: signatures, MSI contents
#   check_release.sh reproduce <source> <work> <build> [make]
#       a second build from a clone at another path, later; every zip and MSI
#       must be byte-identical to <build>'s (made there first with `make`)
#   check_release.sh msi       <source> <work> <build> <component> <x64|x86>
#       under Wine: silent install, qmqn --help, upgrade, refused downgrade, uninstall
#   check_release.sh signing   <source> <work> <build> <pki>
#       careless builders (no PFX, no osslsigncode, wrong password, PFX gone)
#       and a key in SoftHSM
set -euo pipefail
mode=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The scratch build's throw-away key (see check_packages.sh).
if [ -f "${3:-}/pki/pass" ]; then
  QMQN_SIGN_PASSWORD=$(cat "$3/pki/pass")
  export QMQN_SIGN_PASSWORD
fi
cache_value() { sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"; }
packages() { find "$1" -maxdepth 1 \( -name '*.zip' -o -name '*.msi' \) | sort; }

case $mode in
pki)
  dir=$2
  mkdir -p "$dir" && cd "$dir"
  cat >ca.cnf <<'EOF'
[ca]
default_ca = qca
[qca]
dir = .
database = index.txt
new_certs_dir = .
serial = serial
default_md = sha256
policy = any
[any]
commonName = supplied
[req]
distinguished_name = dn
[dn]
[ca_ext]
basicConstraints = critical, CA:TRUE
keyUsage = critical, keyCertSign, cRLSign
[signer_ext]
basicConstraints = CA:FALSE
keyUsage = critical, digitalSignature
extendedKeyUsage = codeSigning
EOF
  : >index.txt
  echo 01 >serial
  # Valid long before any commit time, which is the signatures' signing time.
  openssl req -new -newkey rsa:2048 -nodes -keyout ca.key -out ca.csr -subj "/CN=QMQN Test CA" -config ca.cnf 2>/dev/null
  openssl ca -batch -selfsign -config ca.cnf -keyfile ca.key -in ca.csr -out ca.pem -notext \
    -startdate 20000101000000Z -enddate 20991231000000Z -extensions ca_ext 2>/dev/null
  openssl req -new -newkey rsa:2048 -nodes -keyout sign.key -out sign.csr -subj "/CN=QMQN Test Signer" -config ca.cnf 2>/dev/null
  openssl ca -batch -config ca.cnf -cert ca.pem -keyfile ca.key -in sign.csr -out sign.pem -notext \
    -startdate 20000101000000Z -enddate 20991231000000Z -extensions signer_ext 2>/dev/null
  printf 'test pass %s' "$RANDOM" >pass
  openssl pkcs12 -export -inkey sign.key -in sign.pem -out sign.pfx -passout file:pass
  ;;

verify)
  build=$(cd "$2" && pwd) ca=$3 work=$4/verify
  rm -rf "$work" && mkdir -p "$work"
  mapfile -t made < <(packages "$build")
  [ ${#made[@]} -gt 0 ] || fail "no zip or MSI in $build"
  for p in "${made[@]}"; do
    name=${p##*/}
    (cd "$build" && sha256sum --quiet -c "$name.sha256") || fail "checksum of $name"
    case $name in
      *.zip) unzip -q "$p" -d "$work/${name%.zip}" ;;
      *.msi) (cd "$work" && mkdir "msi-${name%.msi}" && cd "msi-${name%.msi}" && msiextract "$p" >/dev/null) ;;
    esac
  done
  if [ "$ca" != - ]; then
    while IFS= read -r f; do
      osslsigncode verify -CAfile "$ca" -in "$f" >"$work/last-verify.txt" 2>&1 || {
        fail "signature of ${f#"$work"/}"
        tail -5 "$work/last-verify.txt"
      }
    done < <(find "$work" -type f \( -iname '*.exe' -o -iname '*.dll' \) ; printf '%s\n' "${made[@]}" | grep '\.msi$')
    echo "every .exe, .dll and MSI verifies against $ca: $(find "$work" -type f \( -iname '*.exe' -o -iname '*.dll' \) | wc -l) files in the packages"
  fi
  for p in "${made[@]}"; do
    [[ $p == *.msi ]] || continue
    name=${p##*/} base=${p##*/}
    base=${base%.msi}
    # The MSI installs what the zip holds, the same bytes in the same layout.
    installed=$(find "$work/msi-$base" -type d -name 'QMQN*' -prune | head -1)
    [ -f "$build/$base.zip" ] && { diff -r "$work/$base/$base" "$installed" >/dev/null || fail "$name does not hold what $base.zip holds"; }
    props=$(msiinfo export "$p" Property)
    grep -qP "^ProductVersion\t$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")\r?$" <<<"$props" || fail "$name: ProductVersion"
    grep -qP '^QmqnToolPath\t=-\*PATH\t\[~\];\[TOOLDIR\]\t' < <(msiinfo export "$p" Environment) || fail "$name: PATH entry"
    msiinfo export "$p" InstallExecuteSequence | grep -q '^WriteEnvironmentStrings' || fail "$name: WriteEnvironmentStrings"
    grep -qP '^UpdaterShortcut\tProgramMenuFolder\t' < <(msiinfo export "$p" Shortcut) || fail "$name: Start menu shortcut"
    [[ $name == *-demo-* ]] && ! grep -q 'DEMO' <<<"$props" && fail "$name is not named as demo"
    echo "$name: $(stat -c %s "$p") bytes"
  done
  ;;

reproduce)
  source=$2 work=$3/reproduce a=$4
  if [ "${5:-}" = make ]; then
    (cd "$a" && cpack >/dev/null) && cmake --build "$a" --target msi >/dev/null || { echo "FAIL: packages of $a"; exit 1; }
  fi
  rm -rf "$work"
  src=$work/at/another/path/src b=$work/at/another/path/src/build
  mkdir -p "$src"
  if [ -z "$(git -C "$source" status --porcelain)" ]; then
    git clone -q --no-checkout "$source" "$src"
    git -C "$src" checkout -q "$(git -C "$source" rev-parse HEAD)"
  else
    # Uncommitted changes: the working tree at another path, the commit's time given.
    echo "note: $source has uncommitted changes; comparing with a copy of its working tree"
    git -C "$source" ls-files -co --exclude-standard -z | (cd "$source" && tar -cf - --null -T -) | tar -xf - -C "$src"
    SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct)
    export SOURCE_DATE_EPOCH
  fi
  toolchain=$(cache_value "$a" CMAKE_TOOLCHAIN_FILE)
  args=(-G "$(cache_value "$a" CMAKE_GENERATOR)" -DCMAKE_TOOLCHAIN_FILE="$src/${toolchain#"$source"/}"
        -DCMAKE_BUILD_TYPE="$(cache_value "$a" CMAKE_BUILD_TYPE)" -DQMQN_TESTS=OFF)
  for v in QMQN_RELEASE_DATA_DIR QMQN_SIGN_PFX QMQN_SIGN_CA; do
    args+=("-D$v=$(cache_value "$a" $v)")
  done
  start=$(date +%s)
  if ! cmake -S "$src" -B "$b" "${args[@]}" >"$work/build.log" 2>&1 || ! cmake --build "$b" -j 2 >>"$work/build.log" 2>&1 ||
    ! (cd "$b" && cpack >>"$work/build.log" 2>&1) || ! cmake --build "$b" --target msi >>"$work/build.log" 2>&1; then
    tail -n 30 "$work/build.log"
    echo "FAIL: the second build"
    exit 1
  fi
  echo "second build at $b: $(($(date +%s) - start)) s"
  mapfile -t made < <(packages "$a")
  [ ${#made[@]} -ge 2 ] || fail "fewer than a zip and an MSI in $a"
  for p in "${made[@]}"; do
    name=${p##*/}
    printf '%s  %s\n' "$(sha256sum <"$p" | cut -d' ' -f1)" "$name"
    cmp -s "$p" "$b/$name" || fail "$name differs between $a and $b"
    cmp -s "$p.sha256" "$b/$name.sha256" || fail "$name.sha256 differs"
  done
  diff <(packages "$a" | xargs -n1 basename) <(packages "$b" | xargs -n1 basename) || fail "not the same packages"
  ;;

msi)
  source=$2 work=$3/msi-$6 build=$4 component=$5 arch=$6
  version=$(cache_value "$build" CMAKE_PROJECT_VERSION)
  next=${version%.*}.$((${version##*.} + 1))
  name=QMQN_VerUpTool-$version$([ "$component" = demo ] && echo -demo)-$([ "$arch" = x64 ] && echo win64 || echo win32)
  [ -f "$build/$name.msi" ] || { echo "FAIL: no $build/$name.msi"; exit 1; }
  rm -rf "$work" && mkdir -p "$work/next"
  cmake -DCONFIG="$build/qmqn-release-config.cmake" -DCOMPONENT="$component" -DPACKAGE="$name" -DARCH="$arch" \
    -DVERSION="$next" -DOUT="$work/next/${name/$version/$next}.msi" -P "$source/cmake/make_msi.cmake" >"$work/next.log" 2>&1 ||
    { tail -20 "$work/next.log"; echo "FAIL: the $next MSI"; exit 1; }
  cp "$build/$name.msi" "$work/$name.msi"
  product=$(msiinfo export "$work/$name.msi" Property | tr -d '\r' | sed -n 's/^ProductName\t//p')
  folder=QMQN regkey='QMQN\\VerUpTool'
  [ "$component" = demo ] && folder="QMQN Demo" regkey="$regkey Demo"
  # As system.reg spells the keys: a 32-bit product's in the 32-bit view.
  pf="Program Files" view=
  [ "$arch" = x86 ] && pf="Program Files (x86)" view='Wow6432Node\\'
  regkey="Software\\\\$view$regkey"
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  root="$WINEPREFIX/drive_c/$pf/$folder"
  transcript=$work/transcript.txt
  : >"$transcript"
  msiexec() {  # msiexec <expected exit code> <args>...: printed whole (a Unix exit status keeps 8 bits)
    local want=$1 rc
    shift
    rc=$(wine cmd /c "msiexec $* & echo exit=%ERRORLEVEL%" </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^exit=//p' || true)
    wineserver -w
    echo "msiexec $* -> exit $rc" | tee -a "$transcript"
    [ "$rc" = "$want" ] || fail "msiexec $*: exit $rc, not $want"
  }
  reg() { tr -d '\r' <"$WINEPREFIX/system.reg"; }
  products() {  # products listed in Add/Remove Programs
    reg | awk -v p="\"DisplayName\"=\"$product\"" '/^\[/ { key = $0 } $0 == p && key ~ /\\Uninstall\\/ { n++ } END { print n + 0 }'
  }
  on_path() { reg | grep -i '^"PATH"=' | grep -qiF "C:\\\\$pf\\\\$folder\\\\tool"; }
  installed() {  # installed <version>: the files, registry, PATH and shortcut of that version
    [ -f "$root/QMQN_VerUpTool.exe" ] && [ -f "$root/tool/qmqn.exe" ] && [ -f "$root/tool/QMQN_VerUpTool.exe" ] ||
      fail "$1: not laid out in $pf\\$folder with tool\\ beside the launcher"
    reg | grep -A4 -F "[$regkey]" | grep -qF "\"Version\"=\"$1\"" || fail "$1: no $regkey with its version"
    on_path || fail "$1: the tool folder is not on the system PATH"
    [ -n "$(find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'QMQN*.lnk')" ] || fail "$1: no Start menu shortcut"
    [ "$(products)" = 1 ] || fail "$1: $(products) products installed, not one"
  }
  msiexec 0 /i "Z:$work/$name.msi" /qn
  installed "$version"
  out=$(wine "C:\\$pf\\$folder\\tool\\qmqn.exe" --help 2>&1) && grep -q 'qmqn list' <<<"$out" || fail "qmqn --help from the install folder"
  echo "qmqn --help from C:\\$pf\\$folder\\tool: $(head -1 <<<"$out")" | tee -a "$transcript"
  msiexec 0 /i "Z:$work/next/${name/$version/$next}.msi" /qn
  installed "$next"
  msiexec 1603 /i "Z:$work/$name.msi" /qn
  installed "$next"
  msiexec 0 /x "Z:$work/next/${name/$version/$next}.msi" /qn
  [ ! -e "$root" ] || fail "uninstall left $(find "$root" | head -3)"
  ! reg | grep -qF "[$regkey]" || fail "uninstall left the registry key"
  ! on_path || fail "uninstall left the PATH entry"
  [ -z "$(find "$WINEPREFIX/drive_c" -name 'QMQN*.lnk')" ] || fail "uninstall left the shortcut"
  [ "$(products)" = 0 ] || fail "uninstall left $(products) products"
  echo "after uninstall: $pf\\$folder $([ -e "$root" ] && echo present || echo gone), system PATH $(reg | grep '^"PATH"=' | sed 's/^"PATH"=str(2)://')" | tee -a "$transcript"
  wineserver -k || true
  ;;

signing)
  source=$2 work=$3/signing build=$4 pki=$5
  rm -rf "$work" && mkdir -p "$work"
  log=$work/log
  said() {
    if tr -s ' \n' '  ' <"$log" | grep -qF "$1"; then echo "$2: \"$1\""; else fail "$2: no message \"$1\""; tail -15 "$log"; fi
  }
  zips() { find "$build" -maxdepth 1 \( -name '*.zip' -o -name '*.msi' \) | wc -l; }
  generator=$(cache_value "$build" CMAKE_GENERATOR) toolchain=$(cache_value "$build" CMAKE_TOOLCHAIN_FILE)
  try_configure() {
    ! cmake -S "$source" -B "$work/build" -G "$generator" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQMQN_TESTS=OFF "$@" >"$log" 2>&1 ||
      fail "configured with $*"
  }
  try_configure -DQMQN_SIGN_PFX="$work/no.pfx"
  said "QMQN_SIGN_PFX: no such file: $work/no.pfx" "a PFX that is not there"
  try_configure -DQMQN_SIGN_PFX="$pki/sign.pfx" -DQMQN_OSSLSIGNCODE="$work/no/osslsigncode"
  said "Signing was asked for (QMQN_SIGN_*), but osslsigncode was not found" "no osslsigncode"

  [ "$(zips)" -gt 0 ] || fail "no packages in $build to start with"
  ! QMQN_SIGN_PASSWORD=wrong cmake --build "$build" --target package >"$log" 2>&1 || fail "signed with a wrong password"
  said "(is QMQN_SIGN_PASSWORD right?)" "a wrong password"
  said "nothing is left half-signed" "a wrong password"
  [ "$(zips)" = 0 ] && echo "a wrong password: no zip or MSI left" || fail "a package is left after the signing failed: $(find "$build" -maxdepth 1 -name '*.zip' -o -name '*.msi')"
  mv "$pki/sign.pfx" "$pki/gone.pfx"
  ! QMQN_SIGN_PASSWORD=$(cat "$pki/pass") cmake --build "$build" --target msi >"$log" 2>&1 || fail "signed without the PFX"
  said "Signing stopped: $pki/sign.pfx is missing" "a PFX removed after the configure"
  mv "$pki/gone.pfx" "$pki/sign.pfx"

  module=/usr/lib/softhsm/libsofthsm2.so
  if ! command -v softhsm2-util >/dev/null || [ ! -f "$module" ] ||
    ! ls /usr/lib/*/engines-3/pkcs11.so >/dev/null 2>&1; then
    echo "SKIPPED: signing with a key in SoftHSM: softhsm2 or libengine-pkcs11-openssl is not installed"
    cat "$source/build/softhsm.missing" 2>/dev/null || true
  else
    export SOFTHSM2_CONF=$work/softhsm2.conf QMQN_SIGN_PASSWORD=4321
    mkdir -p "$work/tokens"
    printf 'directories.tokendir = %s\nobjectstore.backend = file\nlog.level = ERROR\n' "$work/tokens" >"$SOFTHSM2_CONF"
    openssl pkcs8 -topk8 -nocrypt -in "$pki/sign.key" -out "$work/key.p8"
    softhsm2-util --init-token --free --label qmqn-test --pin "$QMQN_SIGN_PASSWORD" --so-pin 87654321 >"$log" 2>&1 &&
      softhsm2-util --import "$work/key.p8" --token qmqn-test --label signer --id 01 --pin "$QMQN_SIGN_PASSWORD" >>"$log" 2>&1 ||
      { cat "$log"; fail "SoftHSM token"; }
    rm -f "$work/key.p8"
    cmake "$build" -DQMQN_SIGN_PFX= -DQMQN_SIGN_PKCS11_MODULE="$module" \
      -DQMQN_SIGN_KEY_URI="pkcs11:token=qmqn-test;object=signer;type=private" -DQMQN_SIGN_CERT="$pki/sign.pem" >"$log" 2>&1 &&
      said "signed (SHA-256, pkcs11 key)" "the token configure"
    if (cd "$build" && cpack >"$log" 2>&1) && cmake --build "$build" --target msi >>"$log" 2>&1; then
      echo "signed with the key in SoftHSM:"
      bash "$0" verify "$build" "$pki/ca.pem" "$work/token" || fail "token signatures"
    else
      tail -20 "$log"
      fail "packages signed with the SoftHSM key"
    fi
  fi
  ;;
esac
exit $((failures > 0))
