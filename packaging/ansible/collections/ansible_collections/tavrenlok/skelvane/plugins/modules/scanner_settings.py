#!/usr/bin/python
# Brings Tavrenlok 4860 scanners to a settings file through `skelv apply`.
from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r"""
---
module: scanner_settings
short_description: Bring Tavrenlok 4860 scanners to a settings file
description:
  - Reads each scanner back on the managed host and downloads the settings
    file only to those that hold something else, verifying each download by
    reading it back (C(skelv apply)).
  - Compares bytes 0 to 253 of the settings image; the checksum pair is not
    compared, as a download computes it.
  - The settings file must already be on the managed host; copy it there with
    M(ansible.builtin.copy) first.
  - Runs C(skelv) with an argument list, never through a shell.
  - For Windows hosts run C(skelv.exe apply --json) with
    M(ansible.windows.win_command) instead, as the README shows.
version_added: "1.0.0"
extends_documentation_fragment:
  - ansible.builtin.action_common_attributes
attributes:
  check_mode:
    support: full
    details: Reads and compares only (C(skelv apply --check)).
  diff_mode:
    support: full
    details: Each port's differing fields as C(name = value) lines, as C(skelv get) writes them.
  platform:
    support: full
    platforms: posix
author:
  - Skelvane developers
requirements:
  - skelv, from the skelv Debian package
options:
  src:
    description:
      - The settings file (C(.qrs), 256 bytes) on the managed host.
    type: path
    required: true
  port:
    description:
      - Serial devices, or patterns that skelv expands such as
        C(/dev/ttyUSB*); every port gets the same file.
    type: list
    elements: str
    required: true
    aliases: [ports]
  baud:
    description: Bits per second of the serial line.
    type: str
    choices: ["1200", "2400", "4800", "9600", "19200", "38400"]
  data_bits:
    description: Data bits of the serial line.
    type: str
    choices: ["7", "8"]
  parity:
    description: Parity of the serial line.
    type: str
    choices: [none, even, odd]
  flow:
    description: Flow control of the serial line.
    type: str
    choices: [none, hardware, xonxoff]
  line:
    description:
      - C(auto) finds the line settings at which each scanner answers first
        (C(skelv apply --line auto)), trying those given right after the
        scanner's factory ones.
    type: str
    choices: [auto]
  log:
    description:
      - A CSV file on the managed host to which each port's result is
        appended (C(skelv apply --log)).
    type: path
  executable:
    description:
      - The skelv program to run; by default C(skelv) from the search path.
    type: path
notes:
  - Check mode reads the scanners and compares only (C(skelv apply --check));
    the task reports C(changed) when some scanner would change.
  - In diff mode the before and after texts are the differing fields as
    C(skelv get) writes them, one C(name = value) line each, per port.
  - A port that fails fails the task with that port's reason; the other ports
    are still applied.
"""

EXAMPLES = r"""
- name: Copy the site's settings file
  ansible.builtin.copy:
    src: site.qrs
    dest: /etc/skelv/site.qrs
    mode: "0644"

- name: Bring every scanner on a USB serial adapter to it
  tavrenlok.skelvane.scanner_settings:
    src: /etc/skelv/site.qrs
    port: /dev/ttyUSB*

- name: Two scanners at 9600 bps, with a log of each run
  tavrenlok.skelvane.scanner_settings:
    src: /etc/skelv/site.qrs
    port:
      - /dev/ttyS0
      - /dev/ttyS1
    baud: "9600"
    log: /var/log/skelv-apply.csv
"""

RETURN = r"""
ports:
  description: Each port's result, as C(skelv apply --json) prints it.
  returned: when skelv ran
  type: list
  elements: dict
  contains:
    port:
      description: The device.
      type: str
      sample: /dev/ttyUSB0
    changed:
      description: Whether the scanner now holds the file (would hold it, in check mode) where it did not before.
      type: bool
    failed:
      description: Whether the port failed.
      type: bool
    reason:
      description: Why the port failed; null otherwise.
      type: str
      sample: "block 0: 4 replies other than \"ACK\" or \"DONE\""
    fields:
      description: The fields in which the scanner differed from the file, with their values as C(skelv get) writes them.
      type: list
      elements: dict
      sample: [{"name": "scanningMode", "before": "Auto Off", "after": "Continuous"}]
  sample:
    - {"port": "/dev/ttyUSB0", "changed": false, "failed": false, "reason": null, "fields": []}
cmd:
  description: The command that ran.
  returned: always
  type: list
  elements: str
  sample: ["/usr/bin/skelv", "apply", "--json", "--port=/dev/ttyUSB*", "--", "/etc/skelv/site.qrs"]
"""

import json

from ansible.module_utils.basic import AnsibleModule

LINE_OPTIONS = (
    ("baud", "--baud"),
    ("data_bits", "--data-bits"),
    ("parity", "--parity"),
    ("flow", "--flow"),
    ("line", "--line"),
)


def command(module, skelv):
    params = module.params
    # Options in their NAME=VALUE form and the file after "--": a port or file
    # name that begins with "-" stays a name.
    args = [skelv, "apply", "--json"]
    args += ["--port=" + port for port in params["port"]]
    for name, option in LINE_OPTIONS:
        if params[name] is not None:
            args.append(option + "=" + params[name])
    if params["log"]:
        args.append("--log=" + params["log"])
    if module.check_mode:
        args.append("--check")
    return args + ["--", params["src"]]


def get_text(fields, side):
    return "".join(f["name"] + (" = " + f[side] if f[side] else " =") + "\n" for f in fields)


def diffs(ports):
    return [
        {
            "before_header": p["port"],
            "after_header": p["port"],
            "before": get_text(p["fields"], "before"),
            "after": get_text(p["fields"], "after"),
        }
        for p in ports
        if p["fields"] and not p["failed"]
    ]


def main():
    module = AnsibleModule(
        argument_spec=dict(
            src=dict(type="path", required=True),
            port=dict(type="list", elements="str", required=True, aliases=["ports"]),
            baud=dict(type="str", choices=["1200", "2400", "4800", "9600", "19200", "38400"]),
            data_bits=dict(type="str", choices=["7", "8"]),
            parity=dict(type="str", choices=["none", "even", "odd"]),
            flow=dict(type="str", choices=["none", "hardware", "xonxoff"]),
            line=dict(type="str", choices=["auto"]),
            log=dict(type="path"),
            executable=dict(type="path"),
        ),
        supports_check_mode=True,
    )
    skelv = module.params["executable"] or module.get_bin_path("skelv", required=True)
    args = command(module, skelv)
    rc, out, err = module.run_command(args)
    try:
        ports = [json.loads(line) for line in out.splitlines() if line.strip()]
    except ValueError:
        ports = []
    if not ports:
        # skelv stopped before any port: its one line on stderr says why.
        module.fail_json(msg=err.strip() or "skelv apply printed nothing", rc=rc, cmd=args, stdout=out, stderr=err)
    result = dict(changed=any(p["changed"] for p in ports), ports=ports, cmd=args, rc=rc)
    if module._diff:
        result["diff"] = diffs(ports)
    failed = [p for p in ports if p["failed"]]
    if failed:
        module.fail_json(msg="; ".join(p["port"] + ": " + p["reason"] for p in failed), **result)
    module.exit_json(**result)


if __name__ == "__main__":
    main()
