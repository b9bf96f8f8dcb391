#!/bin/sh
# Builds the VS Code extension into a .vsix (with the npm packages scripts/setup.sh installs) and
# checks that it holds the extension: its manifest naming `vrt lsp`'s settings, the compiled
# script, and the language client it loads. Exits 77 (skipped) when npm is not there.
set -eu
root=$1
here="$root/editors/vscode"
if ! command -v npm >/dev/null || [ ! -x "$here/node_modules/.bin/vsce" ]; then
    echo "SKIPPED: npm or the extension's packages are missing (scripts/setup.sh installs them)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$here/src" "$here/package.json" "$here/tsconfig.json" "$here/README.md" "$here/.vscodeignore" "$work/"
ln -s "$here/node_modules" "$work/node_modules"
(cd "$work" && ./node_modules/.bin/tsc -p . && ./node_modules/.bin/vsce package \
    --allow-missing-repository --skip-license -o "$work/test.vsix" >/dev/null 2>&1)
python3 - "$work/test.vsix" <<'PY'
import json, sys, zipfile
names = set(zipfile.ZipFile(sys.argv[1]).namelist())
for needed in ("extension/package.json", "extension/out/extension.js",
               "extension/node_modules/vscode-languageclient/package.json"):
    assert needed in names, needed + " is missing from the .vsix"
manifest = json.loads(zipfile.ZipFile(sys.argv[1]).read("extension/package.json"))
settings = manifest["contributes"]["configuration"]["properties"]
for key in ("vetrin.path", "vetrin.project", "vetrin.rulesFile", "vetrin.codePage", "vetrin.language"):
    assert key in settings, key
script = zipfile.ZipFile(sys.argv[1]).read("extension/out/extension.js").decode()
assert '"lsp"' in script, "the extension does not start vrt lsp"
print("vsix: %d files, the extension's files are there" % len(names))
PY
