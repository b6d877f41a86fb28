#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Dornelik developers
# SPDX-License-Identifier: MIT
"""Listens to the window as a blind pupil does, with Orca: blind_pupil.py qt PROGRAM, or
blind_pupil.py firefox PAGE. On a private X server and session bus, with Orca in Bulgarian and
speech-dispatcher speaking into nothing, presses a pupil's keys and, from what Orca's debug log
says it spoke after each key, checks that every selection is told in full, that a list the pupil
enters says its selected row, that no other list is named after a selection in one, and that
clearing is told. Prints what Orca said, key by key."""

import datetime
import fcntl
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# The keys from the explanation's focus, what Orca must say after each (the beginnings of
# utterances), and the lists it must not name then: none after a selection, which keeps the focus.
HEADINGS = ["величина", "уред", "начин"]
STEPS = [
    ("Tab", ["величина"], ["уред", "начин"]),
    ("Down", ["напрежение, волтметър, паралелно"], HEADINGS),
    ("Down", ["съпротивление, омметър, отделно"], HEADINGS),
    ("Tab", ["уред", "омметър"], ["величина", "начин"]),
    ("Up", ["напрежение, волтметър, паралелно"], HEADINGS),
    ("Tab", ["начин", "паралелно"], ["величина", "уред"]),
    ("Tab", ["Чисти"], HEADINGS),
    ("space", ["Трите списъка са изчистени"], HEADINGS),
]
SPOKEN = re.compile(r"^(\d\d:\d\d:\d\d\.\d{6}) - SPEECH OUTPUT: '(.*?)'(?:\{|\s|$)")


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def wait_for(what, seconds, ready):
    end = time.monotonic() + seconds
    while not ready():
        if time.monotonic() > end:
            fail(f"{what} did not start")
        time.sleep(0.2)


def orca_is_listening(env):
    probe = "import pyatspi, sys; sys.exit(not any(a and a.name == 'orca' for a in pyatspi.Registry.getDesktop(0)))"
    return subprocess.run([sys.executable, "-c", probe], env=env, stderr=subprocess.DEVNULL).returncode == 0


def session(work):
    """The environment of a desktop of its own: home, X server, session bus, window manager,
    accessibility bus, speech into nothing and Orca, each started in `started`."""
    env = {"PATH": "/usr/bin:/bin", "TZ": "UTC", "LANG": "bg_BG.UTF-8", "LANGUAGE": "",
           "LOCPATH": f"{work}/locale", "HOME": f"{work}/home", "XDG_RUNTIME_DIR": f"{work}/run",
           "XDG_CONFIG_HOME": f"{work}/home/.config", "XDG_DATA_HOME": f"{work}/home/.local/share",
           "XDG_CACHE_HOME": f"{work}/home/.cache"}
    os.makedirs(f"{work}/run", mode=0o700)
    os.makedirs(f"{work}/home/.config/speech-dispatcher/modules")
    os.makedirs(f"{work}/locale")
    # Orca's own words in Bulgarian need the locale, which the machine need not have generated.
    subprocess.run(["localedef", "-i", "bg_BG", "-f", "UTF-8", f"{work}/locale/bg_BG.UTF-8"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Without a sound card speech-dispatcher would stop Orca after two utterances: a module
    # that speaks nothing stands in for the synthesiser.
    with open(f"{work}/home/.config/speech-dispatcher/speechd.conf", "w") as conf:
        conf.write('AudioOutputMethod "alsa"\nAudioALSADevice "null"\n'
                   'AddModule "silent" "sd_generic" "silent.conf"\nDefaultModule silent\n')
    with open(f"{work}/home/.config/speech-dispatcher/modules/silent.conf", "w") as conf:
        conf.write('GenericExecuteSynth "true"\nAddVoice "bg" "MALE1" "bg"\n')

    read, write = os.pipe()
    started.append(subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                                     "-nolisten", "tcp"], pass_fds=[write], stderr=subprocess.DEVNULL))
    os.close(write)
    env["DISPLAY"] = ":" + os.read(read, 16).decode().strip()
    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env)
    started.append(bus)
    env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().decode().strip()
    started.append(subprocess.Popen(["openbox"], env=env, stderr=subprocess.DEVNULL))
    started.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], env=env,
                                    stderr=subprocess.DEVNULL))
    started.append(subprocess.Popen(["orca", f"--debug-file={work}/orca.log"], env=env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    wait_for("Orca", 30, lambda: orca_is_listening(env))
    return env


def open_window(front_end, target, work, env):
    """Starts the window and waits until Orca has had time to present it."""
    if front_end == "qt":
        started.append(subprocess.Popen([target], env=env | {"QT_QPA_PLATFORM": "xcb"}))
        presented = 3
    else:
        profile = f"{work}/profile"
        os.makedirs(profile)
        with open(f"{profile}/user.js", "w") as prefs:
            for pref in ['"browser.shell.checkDefaultBrowser", false', '"browser.aboutwelcome.enabled", false',
                         '"datareporting.policy.dataSubmissionEnabled", false',
                         '"app.update.disabledForTesting", true', '"browser.startup.homepage_override.mstone", "ignore"',
                         '"network.connectivity-service.enabled", false', '"network.captive-portal-service.enabled", false']:
                prefs.write(f"user_pref({pref});\n")
        started.append(subprocess.Popen(["firefox-esr", "--no-remote", "--new-instance", "--profile", profile,
                                         "--kiosk", f"file://{os.path.abspath(target)}"],
                                        env=env | {"GNOME_ACCESSIBILITY": "1", "MOZ_CRASHREPORTER_DISABLE": "1"},
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        presented = 8
    found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "Dornelik"],
                           env=env, capture_output=True, text=True, timeout=60).stdout.split()
    if not found:
        fail("the window did not appear")
    subprocess.run(["xdotool", "windowactivate", "--sync", found[0]], env=env)
    time.sleep(presented)


def stop_everything():
    for process in reversed(started):
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            process.kill()


def utterances(log, pressed):
    """What Orca said after each key but the last time, which ends the keys, read from its log
    once it has ended: for each key, each utterance once, in the order spoken."""
    said = [[] for _ in pressed]
    with open(log, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            spoken = SPOKEN.match(line)
            if not spoken:
                continue
            at = spoken.group(1)
            after = [step for step, time_pressed in enumerate(pressed) if time_pressed <= at]
            utterance = spoken.group(2).strip().rstrip(".")
            if after and utterance not in said[after[-1]]:
                said[after[-1]].append(utterance)
    return said


def names(utterance, heading):
    return utterance == heading or utterance.startswith(heading + " ") or utterance.startswith(heading + ".")


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("qt", "firefox"):
        print("usage: blind_pupil.py qt PROGRAM | firefox PAGE")
        sys.exit(2)
    front_end, target = sys.argv[1], sys.argv[2]
    # Orca refuses to start beside another of the same user: one of these tests at a time, and
    # none beside the user's own Orca.
    lock = open(os.path.join(tempfile.gettempdir(), f"dornelik-orca-{os.getuid()}.lock"), "w")
    fcntl.flock(lock, fcntl.LOCK_EX)
    if subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"], capture_output=True).returncode == 0:
        fail("an Orca of this user is running already, and Orca refuses a second one")
    work = tempfile.mkdtemp()
    pressed = []
    try:
        env = session(work)
        open_window(front_end, target, work, env)
        for key, _, _ in STEPS:
            pressed.append(datetime.datetime.now(datetime.timezone.utc).strftime("%H:%M:%S.%f"))
            subprocess.run(["xdotool", "key", "--clearmodifiers", key], env=env)
            time.sleep(1.5)
        pressed.append(datetime.datetime.now(datetime.timezone.utc).strftime("%H:%M:%S.%f"))
    finally:
        stop_everything()
    said = utterances(f"{work}/orca.log", pressed)[:-1]
    shutil.rmtree(work, ignore_errors=True)

    failed = False
    for (key, wanted, unnamed), heard in zip(STEPS, said):
        print(f"{front_end}: {key}: " + " | ".join(heard))
        missing = [text for text in wanted if not any(u.startswith(text) for u in heard)]
        named = [heading for heading in unnamed if any(names(u, heading) for u in heard)]
        if missing or named:
            failed = True
            print(f"FAIL: after {key} Orca did not say {missing} or named {named}")
    if failed:
        sys.exit(1)
    print(f"{front_end}: Orca told the pupil every step")


started = []
if __name__ == "__main__":
    main()
