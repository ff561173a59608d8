// The check that refuses Windows versions older than Windows 2000.
#pragma once

bool IsSupportedWindows();
