#!/usr/bin/python3
"""check_manifests.py RELEASE_DIR: the Scoop and winget manifests beside the release zip parse, name the
zip by its SHA-256, and name executables in it of their architecture that carry the manifests' version
resource. One line per fault; exit status 1 on any."""
import hashlib, json, pathlib, struct, sys, zipfile
import yaml

release = pathlib.Path(sys.argv[1])
failures = []
def expect(what, got, want):
    if got != want: failures.append(f'{what}: {got!r}, expected {want!r}')

scoop = json.loads((release / 'morvex.json').read_text())
winget = {path.name: yaml.safe_load(path.read_text()) for path in (release / 'winget').glob('*.yaml')}
installer = next(manifest for manifest in winget.values() if manifest.get('ManifestType') == 'installer')
version = scoop['version']
archive = zipfile.ZipFile(release / f'Morvex-{version}.zip')
digest = hashlib.sha256(pathlib.Path(archive.filename).read_bytes()).hexdigest()

def check_download(what, sha256, path, machine):
    expect(f'{what} hash', sha256.lower(), digest)
    name = path.replace('\\', '/')
    if name not in archive.namelist():
        return failures.append(f'{what}: {name} is not in the zip')
    exe = archive.read(name)
    expect(f'{what} machine', struct.unpack_from('<H', exe, struct.unpack_from('<I', exe, 0x3C)[0] + 4)[0], machine)
    at = exe.find(struct.pack('<II', 0xFEEF04BD, 0x10000))  # VS_FIXEDFILEINFO: signature, structure version
    ms, ls = struct.unpack_from('<II', exe, at + 8) if at >= 0 else (0, 0)
    expect(f'{what} version resource', f'{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}', version)

machines = {'64bit': 0x8664, 'x64': 0x8664, '32bit': 0x14C, 'x86': 0x14C}
expect('morvex.json persist', scoop.get('persist'), 'Morvex.ini')
expect('morvex.json pre_install makes Morvex.ini', 'Morvex.ini' in scoop.get('pre_install', ''), True)
expect('morvex.json architectures', sorted(scoop['architecture']), ['32bit', '64bit'])
for arch, entry in scoop['architecture'].items():
    check_download(f'morvex.json {arch}', entry['hash'], f"{entry['extract_dir']}\\{scoop['bin']}", machines[arch])
expect('winget files', sorted(manifest.get('ManifestType') for manifest in winget.values()),
       ['defaultLocale', 'installer', 'version'])
for name, manifest in winget.items():
    expect(f'{name} versions', (manifest.get('ManifestVersion'), str(manifest.get('PackageVersion'))), ('1.6.0', version))
for field, want in [('InstallerType', 'zip'), ('NestedInstallerType', 'portable'), ('Scope', 'user')]:
    expect(f'winget {field}', installer.get(field), want)
expect('winget architectures', sorted(entry['Architecture'] for entry in installer['Installers']), ['x64', 'x86'])
for entry in installer['Installers']:
    for nested in entry['NestedInstallerFiles']:
        what = f"winget {entry['Architecture']}"
        check_download(what, entry['InstallerSha256'], nested['RelativeFilePath'], machines[entry['Architecture']])
        expect(f'{what} command alias', nested.get('PortableCommandAlias'), 'morvex')

print('\n'.join(failures) or f'{release}: the manifests agree with the zip and its executables')
sys.exit(1 if failures else 0)
