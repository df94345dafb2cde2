#!/usr/bin/env bash
# What a release adds to the packages: signatures, MSIs, the same bytes again.
#   check_release.sh pki       <dir>                          throw-away CA and code-signing key
#   check_release.sh verify    <build> <ca.pem|-> <work>      checksums, signatures, each MSI holds its zip
#   check_release.sh reproduce <source> <work> <build> [make] a clone's build elsewhere, later: same bytes
#   check_release.sh msi       <source> <work> <build> [release|demo] [x64|x86]
#                              under Wine: install, qmqn --help, upgrade, downgrade refused, uninstall
#   check_release.sh signing   <source> <work> <build> [pki]  careless builders, then a SoftHSM key
set -euo pipefail
mode=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cache() { sed -n "s/^$2:[A-Z]*=//p" "$1/CMakeCache.txt"; }
packages() { find "$1" -maxdepth 1 \( -name '*.zip' -o -name '*.msi' \) | sort; }
if [ -f "${3:-}/pki/pass" ]; then  # the scratch build's throw-away key
  QMQN_SIGN_PASSWORD=$(cat "$3/pki/pass")
  export QMQN_SIGN_PASSWORD
fi

case $mode in
pki)
  mkdir -p "$2" && cd "$2"
  openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -subj "/CN=QMQN Test CA" -days 3650 \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null
  openssl req -x509 -newkey rsa:2048 -nodes -keyout sign.key -out sign.pem -subj "/CN=QMQN Test Signer" -days 3650 \
    -CA ca.pem -CAkey ca.key -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=codeSigning 2>/dev/null
  printf 'test pass %s' "$RANDOM" >pass
  openssl pkcs12 -export -inkey sign.key -in sign.pem -out sign.pfx -passout file:pass
  ;;

verify)
  build=$(cd "$2" && pwd) ca=$3 work=$4/verify
  rm -rf "$work" && mkdir -p "$work"
  for p in $(packages "$build" | grep '\.zip$') $(packages "$build" | grep '\.msi$'); do
    name=${p##*/} base=${p##*/} && base=${base%.*}
    (cd "$build" && sha256sum --quiet -c "$name.sha256") || fail "checksum of $name"
    case $name in
      *.zip) unzip -q "$p" -d "$work/$base" ;;
      *.msi)
        mkdir "$work/msi-$base" && (cd "$work/msi-$base" && msiextract "$p" >/dev/null)
        # The same files, bytes and layout as the zip (msiextract may add Program Files).
        diff -r "$work/$base/$base" "$(find "$work/msi-$base" -type d -name 'QMQN*' -prune)" >/dev/null ||
          fail "$name does not hold what $base.zip holds"
        echo "$name: $(stat -c %s "$p") bytes" ;;
    esac
  done
  [ "$ca" = - ] && exit $((failures > 0))
  signed=0
  while IFS= read -r f; do
    signed=$((signed + 1))
    osslsigncode verify -CAfile "$ca" -in "$f" >"$work/last.txt" 2>&1 || { fail "signature of $f"; tail -5 "$work/last.txt"; }
  done < <(find "$work" -type f \( -iname '*.exe' -o -iname '*.dll' \); packages "$build" | grep '\.msi$')
  echo "$signed .exe, .dll and MSI files verified against $ca"
  ;;

reproduce)
  source=$2 work=$3/reproduce a=$4
  if [ "${5:-}" = make ]; then
    (cd "$a" && cpack >/dev/null) && cmake --build "$a" --target msi >/dev/null || { echo "FAIL: packages of $a"; exit 1; }
  fi
  src=$work/at/another/path/src
  rm -rf "$work" && mkdir -p "$src"
  if [ -z "$(git -C "$source" status --porcelain)" ]; then
    git clone -q --no-checkout "$source" "$src" && git -C "$src" checkout -q "$(git -C "$source" rev-parse HEAD)"
  else
    echo "note: $source has uncommitted changes; comparing with a copy of its working tree"
    git -C "$source" ls-files -co --exclude-standard -z | (cd "$source" && tar -cf - --null -T -) | tar -xf - -C "$src"
    SOURCE_DATE_EPOCH=$(git -C "$source" log -1 --format=%ct) && export SOURCE_DATE_EPOCH
  fi
  toolchain=$(cache "$a" CMAKE_TOOLCHAIN_FILE) b=$src/build start=$(date +%s)
  args=(-G "$(cache "$a" CMAKE_GENERATOR)" -DCMAKE_TOOLCHAIN_FILE="$src/${toolchain#"$source"/}" -DQMQN_TESTS=OFF)
  for v in CMAKE_BUILD_TYPE QMQN_RELEASE_DATA_DIR QMQN_SIGN_PFX QMQN_SIGN_CA; do args+=("-D$v=$(cache "$a" $v)"); done
  if ! { cmake -S "$src" -B "$b" "${args[@]}" && cmake --build "$b" -j 2 && (cd "$b" && cpack) &&
    cmake --build "$b" --target msi; } >"$work/build.log" 2>&1; then
    tail -n 30 "$work/build.log"
    echo "FAIL: the second build" && exit 1
  fi
  echo "second build at $b: $(($(date +%s) - start)) s"
  diff <(packages "$a" | xargs -n1 basename) <(packages "$b" | xargs -n1 basename) || fail "not the same packages"
  for p in $(packages "$a"); do
    printf '%s  %s\n' "$(sha256sum <"$p" | cut -d' ' -f1)" "${p##*/}"
    cmp -s "$p" "$b/${p##*/}" && cmp -s "$p.sha256" "$b/${p##*/}.sha256" || fail "${p##*/} differs between $a and $b"
  done
  ;;

msi)
  source=$2 build=$4 component=${5:-release} arch=${6:-x64}
  work=$3/msi-$arch
  version=$(cache "$build" CMAKE_PROJECT_VERSION)
  next=${version%.*}.$((${version##*.} + 1))
  name=QMQN_VerUpTool-$version$([ "$component" = demo ] && echo -demo)-$([ "$arch" = x64 ] && echo win64 || echo win32)
  rm -rf "$work" && mkdir -p "$work" && cp "$build/$name.msi" "$work/"
  newer=$work/${name/$version/$next}.msi
  cmake -DCONFIG="$build/qmqn-release-config.cmake" -DCOMPONENT="$component" -DPACKAGE="$name" -DARCH="$arch" \
    -DVERSION="$next" -DOUT="$newer" -P "$source/cmake/make_msi.cmake" >"$work/newer.log" 2>&1 ||
    { tail -20 "$work/newer.log"; echo "FAIL: the $next MSI"; exit 1; }
  product=$(msiinfo export "$work/$name.msi" Property | tr -d '\r' | sed -n 's/^ProductName\t//p')
  folder=QMQN key='QMQN\\VerUpTool' pf="Program Files" view=
  [ "$component" = demo ] && folder="QMQN Demo" key="$key Demo"
  [ "$arch" = x86 ] && pf="Program Files (x86)" view='Wow6432Node\\'
  key="Software\\\\$view$key"  # as system.reg spells it: a 32-bit product's in the 32-bit view
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
  wineboot -i >/dev/null 2>&1 && wineserver -w && root="$WINEPREFIX/drive_c/$pf/$folder"
  msiexec() {  # msiexec <exit code wanted> <args>: the whole code (a Unix exit status keeps 8 bits)
    local want=$1 rc
    shift
    rc=$(wine cmd /c "msiexec $* & echo exit=%ERRORLEVEL%" </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^exit=//p' || true)
    wineserver -w
    echo "msiexec $* -> exit $rc" | tee -a "$work/transcript.txt"
    [ "$rc" = "$want" ] || fail "msiexec $*: exit $rc, not $want"
  }
  reg() { tr -d '\r' <"$WINEPREFIX/system.reg"; }
  products() { reg | awk -v p="\"DisplayName\"=\"$product\"" '/^\[/ { k = $0 } $0 == p && k ~ /\\Uninstall\\/ { n++ } END { print n + 0 }'; }
  on_path() { reg | grep -i '^"PATH"=' | grep -qiF "C:\\\\$pf\\\\$folder\\\\tool"; }
  shortcut() { find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'QMQN*.lnk' | grep -q .; }
  installed() {
    [ -f "$root/QMQN_VerUpTool.exe" ] && [ -f "$root/tool/qmqn.exe" ] && [ -f "$root/tool/QMQN_VerUpTool.exe" ] ||
      fail "$1: not in $pf\\$folder with tool\\ beside the launcher"
    reg | grep -A4 -F "[$key]" | grep -qF "\"Version\"=\"$1\"" || fail "$1: no $key with its version"
    on_path || fail "$1: tool folder not on the system PATH"
    shortcut || fail "$1: no Start menu shortcut"
    [ "$(products)" = 1 ] || fail "$1: $(products) products installed, not one"
  }
  msiexec 0 /i "Z:$work/$name.msi" /qn
  installed "$version"
  out=$(wine "C:\\$pf\\$folder\\tool\\qmqn.exe" --help 2>&1) && grep -q 'qmqn list' <<<"$out" || fail "qmqn --help"
  echo "qmqn --help in C:\\$pf\\$folder\\tool: $(head -1 <<<"$out")" | tee -a "$work/transcript.txt"
  msiexec 0 /i "Z:$newer" /qn
  installed "$next"
  msiexec 1603 /i "Z:$work/$name.msi" /qn
  installed "$next"
  msiexec 0 /x "Z:$newer" /qn
  [ ! -e "$root" ] || fail "uninstall left $root"
  ! reg | grep -qF "[$key]" || fail "uninstall left $key"
  ! on_path || fail "uninstall left the PATH entry"
  ! shortcut || fail "uninstall left the shortcut"
  [ "$(products)" = 0 ] || fail "uninstall left $(products) products"
  echo "after uninstall: system PATH $(reg | sed -n 's/^"PATH"=str(2)://p')" | tee -a "$work/transcript.txt"
  wineserver -k || true
  ;;

signing)
  source=$2 work=$3/signing build=$4 pki=${5:-$3/pki} log=$3/signing/log
  rm -rf "$work" && mkdir -p "$work"
  said() {
    if tr -s ' \n' '  ' <"$log" | grep -qF "$1"; then echo "$2: \"$1\""; else fail "$2: no \"$1\""; tail -15 "$log"; fi
  }
  left() { packages "$build" | wc -l; }
  refused() {  # refused <what> <message> <cmake arguments>: the configure stops, saying why
    ! cmake -S "$source" -B "$work/build" -G "$(cache "$build" CMAKE_GENERATOR)" -DQMQN_TESTS=OFF \
      -DCMAKE_TOOLCHAIN_FILE="$(cache "$build" CMAKE_TOOLCHAIN_FILE)" "${@:3}" >"$log" 2>&1 || fail "$1: configured"
    said "$2" "$1"
  }
  refused "a PFX that is not there" "QMQN_SIGN_PFX: no such file: $work/no.pfx" -DQMQN_SIGN_PFX="$work/no.pfx"
  refused "no osslsigncode" "Signing was asked for (QMQN_SIGN_*), but osslsigncode was not found" \
    -DQMQN_SIGN_PFX="$pki/sign.pfx" -DQMQN_OSSLSIGNCODE="$work/no/osslsigncode"
  [ "$(left)" -gt 0 ] || fail "no packages in $build to start with"
  ! QMQN_SIGN_PASSWORD=wrong cmake --build "$build" --target package >"$log" 2>&1 || fail "signed with a wrong password"
  said "(is QMQN_SIGN_PASSWORD right?)" "a wrong password"
  [ "$(left)" = 0 ] && echo "a wrong password: no zip or MSI left" || fail "a package is left after the signing failed"
  mv "$pki/sign.pfx" "$pki/gone.pfx"
  ! cmake --build "$build" --target msi >"$log" 2>&1 || fail "signed without the PFX"
  said "Signing stopped: $pki/sign.pfx is missing" "a PFX removed after the configure"
  mv "$pki/gone.pfx" "$pki/sign.pfx"

  module=/usr/lib/softhsm/libsofthsm2.so
  if ! command -v softhsm2-util >/dev/null || [ ! -f $module ] || ! compgen -G '/usr/lib/*/engines-3/pkcs11.so' >/dev/null; then
    echo "SKIPPED: signing with a key in SoftHSM: softhsm2 or libengine-pkcs11-openssl is not installed"
    cat "$source/build/softhsm.missing" 2>/dev/null || true
    exit $((failures > 0))
  fi
  export SOFTHSM2_CONF=$work/softhsm2.conf QMQN_SIGN_PASSWORD=4321
  mkdir "$work/tokens" && printf 'directories.tokendir = %s\n' "$work/tokens" >"$SOFTHSM2_CONF"
  openssl pkcs8 -topk8 -nocrypt -in "$pki/sign.key" -out "$work/key.p8"
  { softhsm2-util --init-token --free --label qmqn-test --pin 4321 --so-pin 87654321 &&
    softhsm2-util --import "$work/key.p8" --token qmqn-test --label signer --id 01 --pin 4321; } >"$log" 2>&1 ||
    { cat "$log"; fail "SoftHSM token"; }
  rm "$work/key.p8"
  cmake "$build" -DQMQN_SIGN_PFX= -DQMQN_SIGN_PKCS11_MODULE=$module -DQMQN_SIGN_CERT="$pki/sign.pem" \
    -DQMQN_SIGN_KEY_URI="pkcs11:token=qmqn-test;object=signer;type=private" >"$log" 2>&1
  said "signed (SHA-256, pkcs11 key)" "the token configure"
  if (cd "$build" && cpack && cmake --build . --target msi) >"$log" 2>&1; then
    echo "signed with the key in SoftHSM:"
    bash "$0" verify "$build" "$pki/ca.pem" "$work/token" || fail "token signatures"
  else
    tail -20 "$log" && fail "packages signed with the SoftHSM key"
  fi
  ;;
esac
exit $((failures > 0))
