#!/usr/bin/env python3
"""Fails when a program file is larger than its limit in bytes.

setup.exe is downloaded with every package a vendor ships. The limit keeps
a change that would add kilobytes from passing unseen; devscripts/size-report.sh
tells what takes the room.

    check_size.py --limit BYTES FILE
"""

import argparse
import os
import sys


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--limit", type=int, required=True)
    parser.add_argument("file")
    arguments = parser.parse_args(argv)
    size = os.path.getsize(arguments.file)
    verdict = "within" if size <= arguments.limit else "over"
    print(f"{arguments.file}: {size:,} bytes, {verdict} the limit of {arguments.limit:,}")
    return 0 if size <= arguments.limit else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
