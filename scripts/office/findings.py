"""How every document check reports: its first problems, then one line on what it read."""


def report(path, problems, summary):
    """Prints up to 20 problems and the summary for `path`; gives the exit code (1 on any problem)."""
    for p in problems[:20]:
        print(f"  {path}: {p}")
    if len(problems) > 20:
        print(f"  {path}: ... and {len(problems) - 20} more")
    print(f"  {path}: {summary}, {len(problems)} problem(s)")
    return 1 if problems else 0
