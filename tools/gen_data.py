#!/usr/bin/python3
"""Makes the simulator's program folder (pictures, icons, cursors, sounds) from data/.

    gen_data.py --out DIR        write the tree, touching only files whose bytes change
    gen_data.py --list-inputs    every file the outputs depend on, one per line
    gen_data.py --list-outputs   every file written, one per line (under DIR with --out)
"""

import argparse
import glob
import os
import sys

sys.dont_write_bytecode = True   # keep the source tree clean when the build runs us
TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, TOOLS_DIR)

from nibdata.source_text import SourceError  # noqa: E402
from nibdata.sources import DataTree  # noqa: E402

DEFAULT_DATA = os.path.join(os.path.dirname(TOOLS_DIR), "data")


def parse_args(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", help="folder to write the program tree into")
    parser.add_argument("--data", default=DEFAULT_DATA, help="source folder (default: data/)")
    parser.add_argument("--list-inputs", action="store_true")
    parser.add_argument("--list-outputs", action="store_true")
    args = parser.parse_args(argv)
    if not (args.out or args.list_inputs or args.list_outputs):
        parser.error("give --out DIR, --list-inputs or --list-outputs")
    return args


def generator_files():
    return sorted([os.path.abspath(__file__)] + glob.glob(os.path.join(TOOLS_DIR, "nibdata", "*.py")))


def write_if_changed(path, data):
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except FileNotFoundError:
        pass
    os.makedirs(os.path.dirname(path), exist_ok=True)
    temporary = path + ".tmp"
    with open(temporary, "wb") as f:
        f.write(data)
    os.replace(temporary, path)


def generate(tree, out_dir):
    for job in tree.jobs():
        for name, data in zip(job.outputs, tree.build(job)):
            write_if_changed(os.path.join(out_dir, *name.split("/")), data)


def main(argv=None):
    args = parse_args(argv)
    if not os.path.isdir(args.data):
        print(f"gen_data: no data folder {args.data}", file=sys.stderr)
        return 2
    tree = DataTree(args.data)
    try:
        if args.list_inputs:
            print("\n".join(tree.inputs() + generator_files()))
        if args.list_outputs:
            out = os.path.abspath(args.out) if args.out else None
            names = [n for job in tree.jobs() for n in job.outputs]
            print("\n".join(os.path.join(out, *n.split("/")) if out else n for n in names))
        elif args.out:
            generate(tree, args.out)
    except SourceError as error:
        print(f"gen_data: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
