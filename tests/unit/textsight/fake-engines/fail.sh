#!/bin/sh
# A stand-in engine that fails at once, leaving no output.
echo "Error opening data file" >&2
exit 1
