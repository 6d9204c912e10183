# USB (UVC) cameras through V4L2.
