#!/bin/sh
# A stand-in engine that never finishes, for the time limit.
sleep 120
