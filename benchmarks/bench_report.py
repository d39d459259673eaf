"""The table and plots of a benchmark run: plain text for the terminal, Markdown and
hand-written SVG for docs/performance.md."""

import math
import re
from pathlib import Path

TABLE_BEGIN = "<!-- last-run:begin -->"
TABLE_END = "<!-- last-run:end -->"


def quantile(values, q):
    ordered = sorted(values)
    if not ordered:
        return 0
    rank = math.ceil(q * len(ordered))
    return ordered[min(len(ordered) - 1, max(rank, 1) - 1)]


def number(value):
    if value == 0:
        return "0"
    magnitude = abs(value)
    if magnitude >= 1e9:
        return f"{value / 1e9:.3g} G"
    if magnitude >= 1e6:
        return f"{value / 1e6:.3g} M"
    if magnitude >= 1e4:
        return f"{value / 1e3:.3g} k"
    if magnitude >= 100:
        return f"{value:.0f}"
    if magnitude >= 1:
        return f"{value:.3g}"
    return f"{value:.2g}"


def cells(row):
    low, high = row["spread"]
    goal = "—"
    ratio = "—"
    verdict = ""
    if row["goal"] is not None:
        goal = ("≥ " if row["better"] == "higher" else "< ") + number(row["goal"])
        ratio = f"{row['ratio']:.3g}"
        verdict = "met" if row["met"] else "NOT met"
    return [row["figure"], f"{number(row['median'])} {row['unit']}",
            f"{number(low)} – {number(high)} (n={row['repeats']})", goal, ratio, verdict,
            row["note"]]


HEADER = ["Figure", "Measured (median)", "Spread (min – max)", "Goal", "Ratio to goal",
          "", "Note"]


def text_table(rows):
    table = [HEADER] + [cells(r) for r in rows]
    widths = [max(len(line[i]) for line in table) for i in range(len(HEADER) - 1)]
    lines = []
    for n, line in enumerate(table):
        lines.append("  ".join(c.ljust(w) for c, w in zip(line, widths)) + "  " + line[-1])
        if n == 0:
            lines.append("-" * (sum(widths) + 2 * len(widths) + 4))
    return "\n".join(lines)


def markdown_table(rows):
    lines = ["| " + " | ".join(HEADER) + " |", "|" + "---|" * len(HEADER)]
    for r in rows:
        c = cells(r)
        c[0] = c[0].replace("  ", "&nbsp;&nbsp;&nbsp;", 1) if c[0].startswith("  ") else c[0]
        c[5] = f"**{c[5]}**" if c[5] == "NOT met" else c[5]
        lines.append("| " + " | ".join(x.replace("|", "/") for x in c) + " |")
    return "\n".join(lines)


def svg(width, height, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}" font-family="DejaVu Sans, sans-serif" '
            f'font-size="12">\n<rect width="100%" height="100%" fill="white"/>\n{body}</svg>\n')


def log_axis(lo, hi):
    """Decades covering lo..hi."""
    return math.floor(math.log10(lo)), math.ceil(math.log10(hi))


def latency_plot(latency):
    """p50, p99 and max against the notification rate, every repeat as a dot, log scales."""
    rates = sorted({r["rate"] for r in latency})
    values = [r[k] for r in latency for k in ("p50_ms", "p99_ms", "max_ms")]
    y0, y1 = log_axis(max(min(values), 1e-2), max(values))
    left, top, w, h = 70, 30, 460, 260
    x_of = {rate: left + w * (i + 0.5) / len(rates) for i, rate in enumerate(rates)}

    def y(v):
        return top + h - h * (math.log10(max(v, 10 ** y0)) - y0) / (y1 - y0)

    parts = [f'<text x="{left}" y="18" font-size="14">Frame-to-screen latency against the '
             f'notification rate</text>']
    for d in range(y0, y1 + 1):
        parts.append(f'<line x1="{left}" x2="{left + w}" y1="{y(10 ** d):.1f}" '
                     f'y2="{y(10 ** d):.1f}" stroke="#ddd"/>')
        parts.append(f'<text x="{left - 6}" y="{y(10 ** d) + 4:.1f}" text-anchor="end">'
                     f'{10 ** d:g} ms</text>')
    goal = y(2.0)
    parts.append(f'<line x1="{left}" x2="{left + w}" y1="{goal:.1f}" y2="{goal:.1f}" '
                 f'stroke="#c33" stroke-dasharray="5,4"/>')
    parts.append(f'<text x="{left + w - 4}" y="{goal - 4:.1f}" text-anchor="end" '
                 f'fill="#c33">goal: p99 &lt; 2 ms at 1 kHz</text>')
    series = (("p50_ms", "#2a7", "p50"), ("p99_ms", "#27c", "p99"), ("max_ms", "#888", "max"))
    for n, (key, colour, label) in enumerate(series):
        medians = []
        for rate in rates:
            runs = [r[key] for r in latency if r["rate"] == rate]
            for i, v in enumerate(runs):
                parts.append(f'<circle cx="{x_of[rate] + (n - 1) * 14 + (i - 1) * 3:.1f}" '
                             f'cy="{y(v):.1f}" r="3" fill="{colour}" opacity="0.7"/>')
            medians.append((x_of[rate] + (n - 1) * 14, y(sorted(runs)[len(runs) // 2])))
        path = " ".join(f"{x:.1f},{yy:.1f}" for x, yy in medians)
        parts.append(f'<polyline points="{path}" fill="none" stroke="{colour}"/>')
        parts.append(f'<rect x="{left + 10 + n * 60}" y="{top + 6}" width="10" height="10" '
                     f'fill="{colour}"/><text x="{left + 24 + n * 60}" y="{top + 15}">'
                     f'{label}</text>')
    for rate in rates:
        parts.append(f'<text x="{x_of[rate]:.1f}" y="{top + h + 18}" text-anchor="middle">'
                     f'{rate:g} Hz</text>')
    parts.append(f'<rect x="{left}" y="{top}" width="{w}" height="{h}" fill="none" '
                 f'stroke="#333"/>')
    return svg(560, 330, "\n".join(parts) + "\n")


def receive_plot(micro):
    """Frames per second per core, on a log scale, with the goal."""
    bars = [("floor: memchr + copy", "BM_FloorMemchrCopy"), ("framing + checksums", "BM_CutFrames"),
            ("receive path, one thread", "BM_ReceivePathOneThread"),
            ("as wired, with thread hops", "BM_ReceivePath")]
    rows = []
    for frames in (1, 10):
        for label, name in bars:
            key = f"{name}/{frames}" + ("/process_time" if name == "BM_ReceivePath" else "")
            runs = sorted(micro[key])
            rows.append((f"{label}, {frames} per notification", runs[len(runs) // 2]))
    x0, x1 = log_axis(min(v for _, v in rows), max(max(v for _, v in rows), 1e7))
    left, top, w, bar = 300, 44, 330, 20

    def x(v):
        return left + w * (math.log10(v) - x0) / (x1 - x0)

    parts = ['<text x="10" y="18" font-size="14">Receive path: frames per second of one core '
             '(log scale)</text>']
    for d in range(x0, x1 + 1):
        parts.append(f'<line x1="{x(10 ** d):.1f}" x2="{x(10 ** d):.1f}" y1="{top}" '
                     f'y2="{top + len(rows) * (bar + 8)}" stroke="#ddd"/>')
        parts.append(f'<text x="{x(10 ** d):.1f}" y="{top + len(rows) * (bar + 8) + 14}" '
                     f'text-anchor="middle">{number(10 ** d)}</text>')
    for i, (label, v) in enumerate(rows):
        yy = top + i * (bar + 8)
        colour = ("#27c" if "receive" in label else "#69c" if "wired" in label
                  else "#2a7" if "framing" in label else "#999")
        parts.append(f'<text x="{left - 6}" y="{yy + 14}" text-anchor="end">{label}</text>')
        parts.append(f'<rect x="{left}" y="{yy}" width="{x(v) - left:.1f}" height="{bar}" '
                     f'fill="{colour}"/>')
        parts.append(f'<text x="{x(v) + 4:.1f}" y="{yy + 14}">{number(v)}</text>')
    goal = x(1e7)
    parts.append(f'<line x1="{goal:.1f}" x2="{goal:.1f}" y1="{top - 4}" '
                 f'y2="{top + len(rows) * (bar + 8)}" stroke="#c33" stroke-dasharray="5,4"/>')
    parts.append(f'<text x="{goal - 4:.1f}" y="{top - 6}" text-anchor="end" fill="#c33">'
                 f'goal 10 M/s</text>')
    return svg(720, top + len(rows) * (bar + 8) + 30, "\n".join(parts) + "\n")


def update_docs(docs, results):
    page = docs / "performance.md"
    plots = docs / "performance"
    plots.mkdir(exist_ok=True)
    (plots / "latency.svg").write_text(latency_plot(results["latency"]))
    (plots / "receive-path.svg").write_text(receive_plot(results["micro"]))
    block = (f"{TABLE_BEGIN}\nLast run: {results['date']}, {results['machine']}; "
             f"{results['seconds']} s of benchmarks.\n\n{markdown_table(results['rows'])}\n"
             f"{TABLE_END}")
    text = page.read_text() if page.exists() else f"# Performance\n\n{TABLE_BEGIN}\n{TABLE_END}\n"
    pattern = re.compile(re.escape(TABLE_BEGIN) + ".*?" + re.escape(TABLE_END), re.S)
    page.write_text(pattern.sub(lambda _: block, text))
