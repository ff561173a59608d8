#!/bin/bash
# Refreshes Debian's package lists, tried a few times: a mirror in the middle of a sync serves a
# list of the wrong size ("Mirror sync in progress?") and apt-get update then exits 100. What did
# arrive is still used, so one bad list (often an i386 one) does not stop the set-up.
attempts=3
for attempt in $(seq "$attempts"); do
    apt-get update -qq && exit 0
    [ "$attempt" -lt "$attempts" ] && sleep $((attempt * 5))
done
echo "apt-get update failed $attempts times: going on with the package lists that did arrive" >&2
exit 0
