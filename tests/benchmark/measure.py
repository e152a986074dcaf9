#!/usr/bin/python3
"""Start-up benchmark of the configurator against an empty Qt Widgets window.

Run by scripts/benchmark.sh, which starts the X server and builds both
programs. For each program and run: the time from the process start until
its window is mapped and viewable, and until it is drawn (the last drawing
on the screen before it stays unchanged for SETTLED seconds, as the X
server's DAMAGE extension reports it; the pointer waits in a corner, out of
every window's way); the time from the window manager's close request, sent
once the window is drawn, until the process has ended; and the process's
peak memory (max RSS).
Runs of the programs alternate; the medians are compared as ratios: the start
and the memory with the empty window with one label (what any window costs
that shows text), the close with the empty window. The configurator runs
twice in each round: once with nothing changed, so that its close writes
nothing, and once with one value changed before its start (a chat message
with a tab, which it takes as a space, as a box would), so that its close
writes that value's two files. Then the configurator starts with damaged files, each
in turns with normal starts: a 10 MB line in varia.kst, a 10 MB caption line
in its language file, a varia.kst of 97 MB in 7 million lines, and a path
file with a 10 MB line after its four; each median is compared with the
normal one, the start as a ratio and the peak memory as a difference.

Usage: measure.py [--run RUNNER] CONFIG EMPTYWINDOW LABELWINDOW LANGUAGE_FOLDER RUNS
With --run, each program is started through RUNNER (the Windows build through
scripts/windows/wine-run.sh).
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X, display, protocol
from Xlib.ext import damage

TIMEOUT = 60.0
# A window counts as drawn when nothing on the screen has been drawn for this
# long; a cursor would blink every 500 ms, and none of the windows has one.
SETTLED = 0.3
# The most each figure of the configurator may be, as a multiple of its yardstick's.
TARGETS = {'start': 1.15, 'drawn': 1.15, 'close': 1.15, 'memory': 1.10}
YARDSTICKS = {'start': 'label window', 'drawn': 'label window', 'close': 'empty window', 'memory': 'label window'}
SAVED = ['varis.cfg', 'varia.kst', 'buy.kst', 'fun.cfg']
# A start with a damaged file against the normal start: (ratio, extra MiB of peak memory).
DAMAGED_TARGETS = {'long line': (1.2, None), 'many lines': (1.5, 20.0)}


def find_window(disp, title, deadline):
    """Polls the window manager's client list until a viewable window titled `title` appears."""
    root = disp.screen().root
    client_list = disp.intern_atom('_NET_CLIENT_LIST')
    while time.monotonic() < deadline:
        prop = root.get_full_property(client_list, X.AnyPropertyType)
        for wid in (prop.value if prop else []):
            window = disp.create_resource_object('window', wid)
            try:
                if window.get_wm_name() == title and window.get_attributes().map_state == X.IsViewable:
                    return window
            except Exception:  # the window went away between the list and the query
                continue
        # What was drawn before the window is seen counts as drawn when it is seen.
        drain(disp)
        time.sleep(0.001)
    raise RuntimeError(f'no window "{title}" within {TIMEOUT}s')


def watch_drawing(disp):
    """Has the X server report every change to the screen's contents, the window manager's frames included."""
    disp.damage_query_version()  # the server takes no other request of the extension before this one
    disp.screen().root.damage_create(damage.DamageReportRawRectangles)
    disp.sync()
    disp.drawing_event = disp.query_extension('DAMAGE').first_event + damage.DamageNotifyCode


def drain(disp):
    """Reads what has been reported; whether anything was drawn."""
    drawn = False
    while disp.pending_events():
        drawn |= disp.next_event().type == disp.drawing_event
    return drawn


def wait_drawn(disp, shown, deadline):
    """The time of the last drawing before the screen stays unchanged for SETTLED seconds."""
    last = shown
    while time.monotonic() - last < SETTLED:
        if time.monotonic() > deadline:
            raise RuntimeError(f'the screen still changes {TIMEOUT}s after the window was shown')
        if drain(disp):
            last = time.monotonic()
        time.sleep(0.001)
    return last


def request_close(disp, window):
    """What wmctrl -c sends: _NET_CLOSE_WINDOW to the window manager."""
    root = disp.screen().root
    event = protocol.event.ClientMessage(
        window=window, client_type=disp.intern_atom('_NET_CLOSE_WINDOW'),
        data=(32, [int(time.time()) & 0xFFFFFFFF, 2, 0, 0, 0]))
    root.send_event(event, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    disp.flush()


def wait_end(pid, deadline):
    while time.monotonic() < deadline:
        done, status, usage = os.wait4(pid, os.WNOHANG)
        if done:
            return status, usage
        time.sleep(0.001)
    raise RuntimeError(f'process {pid} still running {TIMEOUT}s after the close request')


def package_folder(work, languages):
    """An installed package as a user has it after some use: language, path file, saved state."""
    halflife = os.path.join(work, 'Half-Life')
    cstrike = os.path.join(halflife, 'cstrike')
    qor = os.path.join(cstrike, 'qor')
    os.makedirs(os.path.join(cstrike, 'gfx', 'shell'))
    os.makedirs(qor)
    with open(os.path.join(cstrike, 'gfx', 'shell', 'kb_act.lst'), 'wb') as f:
        f.write(b'"+attack"\t"Fire"\r\n')
    with open(os.path.join(cstrike, 'commandmenu.txt'), 'wb') as f:
        f.write(b'"1" "Buy" { "buy" }\r\n')
    for name in ('english.lang', 'english_kb_act.lst', 'english_commandmenu.txt'):
        shutil.copy(os.path.join(languages, name), qor)
    win = halflife.replace('/', '\\')
    with open(os.path.join(qor, 'pfad.kst'), 'wb') as f:
        f.write(f'{win}\r\nenglish.lang\r\n{win}\\cstrike\\gfx\\shell\\kb_act.lst\r\n'
                f'{win}\\cstrike\\commandmenu.txt\r\n'.encode('cp1252'))
    with open(os.path.join(qor, 'varia.kst'), 'wb') as f:
        f.write(b'_pw\r\ngeheim\r\nkevlar\r\nhegrenade\r\nflash\r\nsmoke\r\nvesthelm\r\n'
                b'primammo\r\nsecammo\r\ndefuser\r\nHallo\r\n' + b'\r\n' * 12)
    with open(os.path.join(qor, 'buy.kst'), 'wb') as f:
        f.write(b''.join(b'Line %d\r\n' % n for n in range(1, 25)))
    with open(os.path.join(qor, 'fun.kst'), 'wb') as f:
        f.write(b'fun aktiviert\r\n')
    return qor


def change_one_value(qor):
    """A first chat message as a player would change it: the close writes varia.kst and varis.cfg."""
    path = os.path.join(qor, 'varia.kst')
    with open(path, 'rb') as f:
        lines = f.read().split(b'\r\n')
    # Another message at each start, with a tab: the saved one has a space.
    lines[10] = b'Hallo\tdu' if lines[10] == b'Hallo ihr' else b'Hallo\tihr'
    with open(path, 'wb') as f:
        f.write(b'\r\n'.join(lines))


def write_xs(f, size):
    """Writes `size` letters x in pieces: a process's peak memory passes on to
    every program it starts (ru_maxrss counts the parent's pages at the fork),
    so this one never holds a large value."""
    piece = b'x' * (64 * 1024)
    for _ in range(size // len(piece)):
        f.write(piece)
    f.write(b'x' * (size % len(piece)))


def write_big_value(qor):
    """A state file as an edited or damaged one may be: a 10 MB first chat message."""
    with open(os.path.join(qor, 'varia.kst'), 'wb') as f:
        f.write(b'_pw\r\ngeheim\r\n' + b'\r\n' * 8)
        write_xs(f, 10 * 1024 * 1024)
        f.write(b'\r\n' * 13)


def write_many_lines(qor):
    """A state file as a damaged one may be: 97 MB in 7 million lines, of which 23 are values."""
    with open(os.path.join(qor, 'varia.kst'), 'wb') as f:
        line = b'x' * 12 + b'\r\n'
        for _ in range(70):
            f.write(line * 100000)


def write_long_path_line(qor):
    """A path file as an edited one may be: a 10 MB line after its four."""
    with open(os.path.join(qor, 'pfad.kst'), 'ab') as f:
        write_xs(f, 10 * 1024 * 1024)
        f.write(b'\r\n')


def write_big_caption(qor):
    """A language file as a damaged one may be: a 10 MB caption (line 4, the settings button)."""
    path = os.path.join(qor, 'english.lang')
    with open(path, 'rb') as f:
        lines = f.read().split(b'\r\n')
    with open(path, 'wb') as f:
        f.write(b'\r\n'.join(lines[:3]) + b'\r\n')
        write_xs(f, 10 * 1024 * 1024)
        f.write(b'\r\n' + b'\r\n'.join(lines[4:]))


def measure(disp, command, title, folder, written, before_start=None):
    """One start and close; `written`: the files the close must write (None: any), the others must stay."""
    program = command[-1]
    if before_start:
        before_start(folder)
    watched = SAVED if written is not None and folder is not None else []
    before = {name: os.stat(os.path.join(folder, name)).st_mtime_ns
              if os.path.exists(os.path.join(folder, name)) else None for name in watched}
    drain(disp)
    start = time.monotonic()
    process = subprocess.Popen(command, cwd=folder or os.getcwd(), stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
    try:
        window = find_window(disp, title, start + TIMEOUT)
        shown = time.monotonic()
        drawn = wait_drawn(disp, shown, shown + TIMEOUT)
        request_close(disp, window)
        asked = time.monotonic()
        status, usage = wait_end(process.pid, asked + TIMEOUT)
        ended = time.monotonic()
    except Exception:
        process.kill()
        process.wait()
        raise
    if status != 0:
        raise RuntimeError(f'{program} ended with status {status}')
    for name in watched:
        path = os.path.join(folder, name)
        changed = not os.path.exists(path) or os.stat(path).st_mtime_ns != before[name]
        if changed != (name in written):
            raise RuntimeError(f'{program} {"wrote" if changed else "did not write"} {name}')
    return shown - start, drawn - start, ended - asked, usage.ru_maxrss


def main():
    args = sys.argv[1:]
    runner = []
    if args[:1] == ['--run']:
        runner, args = [args[1]], args[2:]
    config, empty, label, languages, runs = args[0], args[1], args[2], args[3], int(args[4])
    disp = display.Display()
    watch_drawing(disp)
    # Out of every window's way: a control under the pointer when its window
    # appears would be drawn again as hovered, which no start needs.
    disp.screen().root.warp_pointer(0, 0)
    disp.sync()
    work = tempfile.mkdtemp()
    try:
        qor = package_folder(work, languages)
        changed = package_folder(os.path.join(work, 'changed'), languages)
        programs = {
            'configurator': (runner + [config], 'Korvel Configurator', qor, []),
            'one value changed': (runner + [config], 'Korvel Configurator', changed, ['varis.cfg', 'varia.kst'],
                                  change_one_value),
            'empty window': (runner + [empty], 'Empty Window', None, None),
            'label window': (runner + [label], 'Label Window', None, None),
        }
        results = {name: [] for name in programs}
        # One start of each first, so that all find the fonts and libraries in the
        # page cache, and the configurator's first close has saved its files.
        for folder in (qor, changed):
            measure(disp, runner + [config], 'Korvel Configurator', folder, None)
        for name, args in programs.items():
            measure(disp, *args)
        for run in range(runs):
            for name, args in programs.items():
                results[name].append(measure(disp, *args))
            print(f'run {run + 1}/{runs}: ' + ', '.join(
                f'{name} {r[-1][0] * 1000:.0f} ms / {r[-1][1] * 1000:.0f} ms / {r[-1][2] * 1000:.0f} ms'
                f' / {r[-1][3] / 1024:.1f} MiB'
                for name, r in results.items()), flush=True)
        # Each damaged package of its own, started in turns with the normal one,
        # so that both see the same load. A state file is written anew at
        # every close, so it is damaged again before each start.
        cases = [('a 10 MB message in varia.kst', write_big_value, True, 'long line'),
                 ('a 10 MB caption line in english.lang', write_big_caption, False, 'long line'),
                 ('a varia.kst of 97 MB in 7 million lines', write_many_lines, True, 'many lines'),
                 ('a 10 MB fifth line in pfad.kst', write_long_path_line, False, 'many lines')]
        damaged = []
        # Written to the disk before each start: the system's writing back a
        # fresh 97 MB file is not the configurator's cost.
        for number, (what, damage, again, kind) in enumerate(cases):
            folder = package_folder(os.path.join(work, f'damaged{number}'), languages)
            damage(folder)
            os.sync()
            runs_of, beside = [], []
            for run in range(min(runs, 5)):
                if again and run:
                    damage(folder)
                    os.sync()
                runs_of.append(measure(disp, runner + [config], 'Korvel Configurator', folder, None))
                beside.append(measure(disp, *programs['configurator']))
            damaged.append((what, runs_of, beside, kind))
    finally:
        shutil.rmtree(work, ignore_errors=True)

    figures = [('start to window shown', 'start', 0, 1000, 'ms'),
               ('start to window drawn', 'drawn', 1, 1000, 'ms'),
               ('close request to process end', 'close', 2, 1000, 'ms'),
               ('peak memory (max RSS)', 'memory', 3, 1 / 1024, 'MiB')]
    where = f' through {os.path.basename(runner[0])}' if runner else ''
    median = {name: [statistics.median(r[index] for r in results[name]) for index in range(4)] for name in results}
    print()
    print(f'Medians of {runs} runs each{where} (configurator with the English language and saved state files;'
          f' ratios to the yardstick named):')
    print(f'{"figure":30} {"configurator":>13} {"one changed":>13} {"empty window":>13} {"label window":>13}'
          f' {"ratio":>6} {"ratio":>6}  target')
    for name, key, index, scale, unit in figures:
        mine, edited, base, text = (median[program][index] for program in
                                    ('configurator', 'one value changed', 'empty window', 'label window'))
        yardstick = median[YARDSTICKS[key]][index]
        verdict = 'met' if max(mine, edited) / yardstick <= TARGETS[key] else 'MISSED'
        print(f'{name:30} {mine * scale:9.1f} {unit:3} {edited * scale:9.1f} {unit:3} {base * scale:9.1f} {unit:3}'
              f' {text * scale:9.1f} {unit:3} {mine / yardstick:6.2f} {edited / yardstick:6.2f}'
              f'  <= {TARGETS[key]:.2f} of the {YARDSTICKS[key]}: {verdict}')
    for what, runs_of, normal, kind in damaged:
        ratio_target, memory_target = DAMAGED_TARGETS[kind]
        print()
        print(f'Configurator with {what}, medians of {len(runs_of)} runs:')
        for name, _, index, scale, unit in figures:
            print(f'{name:30} {statistics.median(r[index] for r in runs_of) * scale:9.1f} {unit:3}')
        normal_start = statistics.median(r[0] for r in normal)
        ratio = statistics.median(r[0] for r in runs_of) / normal_start
        print(f'{"start against a normal start":30} {ratio:9.2f}     ({normal_start * 1000:.1f} ms; '
              f'target <= {ratio_target}: {"met" if ratio <= ratio_target else "MISSED"})')
        extra = (statistics.median(r[3] for r in runs_of) - statistics.median(r[3] for r in normal)) / 1024
        verdict = '' if memory_target is None else \
            f'; target <= {memory_target:.0f} MiB: {"met" if extra <= memory_target else "MISSED"}'
        print(f'{"peak memory beyond a normal start":30} {extra:9.1f} MiB{verdict}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
