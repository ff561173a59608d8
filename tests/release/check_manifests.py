#!/usr/bin/python3
"""check_manifests.py build/release: the Scoop and winget manifests beside the release zip parse, name
the zip by its SHA-256 and the executables in it by their machine and version resource, and carry the
fields the package managers need. One line per fault, exit status 1 on any."""
import hashlib, json, pathlib, struct, sys, zipfile
import yaml

release = pathlib.Path(sys.argv[1])
failures = []
def expect(what, got, want):
    if got != want: failures.append(f'{what}: {got!r}, expected {want!r}')

try:
    scoop = json.loads((release / 'morvex.json').read_text())
    installers = [*(release / 'winget').glob('*.installer.yaml'), pathlib.Path('<none>.installer.yaml')]
    ident = installers[0].name.removesuffix('.installer.yaml')
    winget = {kind: yaml.safe_load((release / 'winget' / f'{ident}{suffix}.yaml').read_text())
              for kind, suffix in [('version', ''), ('defaultLocale', '.locale.en-US'), ('installer', '.installer')]}
    version, url = scoop['version'], scoop['architecture']['64bit']['url']
    archive = zipfile.ZipFile(release / url.rsplit('/', 1)[-1])
    digest = hashlib.sha256(pathlib.Path(archive.filename).read_bytes()).hexdigest()
except Exception as error:  # without the manifests and the zip they name there is nothing to compare
    sys.exit(f'{release}: {type(error).__name__}: ' + ' '.join(str(error).split()))

def check_download(what, got_url, got_hash):
    expect(f'{what} url', got_url, url)
    expect(f'{what} hash', str(got_hash).lower(), digest)

def check_exe(what, path, arch):
    name = path.replace('\\', '/')
    if name not in archive.namelist():
        return failures.append(f'{what}: {name} is not in {archive.filename}')
    exe = archive.read(name)
    machine = struct.unpack_from('<H', exe, struct.unpack_from('<I', exe, 0x3C)[0] + 4)[0]
    expect(f'{what} machine', machine, {'64bit': 0x8664, 'x64': 0x8664, '32bit': 0x14C, 'x86': 0x14C}.get(arch))
    at = exe.find(struct.pack('<II', 0xFEEF04BD, 0x10000))  # VS_FIXEDFILEINFO: signature, structure version
    ms, ls = struct.unpack_from('<II', exe, at + 8) if at >= 0 else (0, 0)
    expect(f'{what} version resource', f'{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}', version)

locale, installer = winget['defaultLocale'], winget['installer']
missing = lambda manifest, *fields: [field for field in fields if not manifest.get(field)]
for what, got, want in [
        ('morvex.json license', scoop.get('license'), 'MIT'), ('morvex.json bin', scoop.get('bin'), 'Morvex.exe'),
        ('morvex.json persist', scoop.get('persist'), 'Morvex.ini'),
        ('morvex.json shortcuts', scoop.get('shortcuts'), [['Morvex.exe', 'Morvex']]),
        ('morvex.json pre_install makes Morvex.ini', 'Morvex.ini' in str(scoop.get('pre_install')), True),
        ('morvex.json architectures', sorted(scoop['architecture']), ['32bit', '64bit']),
        ('winget DefaultLocale', winget['version'].get('DefaultLocale'), 'en-US'),
        ('winget locale', [locale.get(f) for f in ('PackageLocale', 'PackageName', 'License', 'PackageUrl')],
         ['en-US', 'Morvex', 'MIT', scoop.get('homepage')]),
        ('empty or missing', missing(scoop, 'description', 'homepage')
         + missing(locale, 'Publisher', 'ShortDescription', 'Copyright'), []),
        ('winget installers', sorted(str(i.get('Architecture')) for i in installer.get('Installers', [])),
         ['x64', 'x86'])]:
    expect(what, got, want)
for arch, entry in scoop['architecture'].items():
    check_download(f'morvex.json {arch}', entry.get('url'), entry.get('hash'))
    for target in dict.fromkeys([scoop.get('bin')] + [shortcut[0] for shortcut in scoop.get('shortcuts', [])]):
        check_exe(f'morvex.json {arch}', f"{entry.get('extract_dir')}\\{target}", arch)

for kind, manifest in winget.items():
    for field, want in [('ManifestType', kind), ('ManifestVersion', '1.6.0'), ('PackageIdentifier', ident),
                        ('PackageVersion', version)]:
        expect(f'winget {kind} {field}', manifest.get(field), want)
for entry in installer.get('Installers', []):
    arch = entry.get('Architecture')
    # A field of the whole manifest holds for every installer that does not set its own.
    for field, want in [('InstallerType', 'zip'), ('NestedInstallerType', 'portable'), ('Scope', 'user')]:
        expect(f'winget {arch} {field}', entry.get(field, installer.get(field)), want)
    check_download(f'winget {arch}', entry.get('InstallerUrl'), entry.get('InstallerSha256'))
    for nested in entry.get('NestedInstallerFiles', installer.get('NestedInstallerFiles', [])):
        check_exe(f'winget {arch}', nested.get('RelativeFilePath', ''), arch)
        expect(f'winget {arch} PortableCommandAlias', nested.get('PortableCommandAlias'), 'morvex')

print('\n'.join(failures) or f'{release}: morvex.json and winget/{ident}*.yaml agree with the zip and its executables')
sys.exit(1 if failures else 0)
