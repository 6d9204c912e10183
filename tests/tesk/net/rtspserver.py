#!/usr/bin/python3
"""RTSP server for the network-camera tests: a moving test picture on 127.0.0.1.

Prints "ready <port>" once it listens; ends on SIGTERM or when its standard input closes.
"""
import argparse
import signal
import sys

import gi

gi.require_version("Gst", "1.0")
gi.require_version("GstRtspServer", "1.0")
from gi.repository import GLib, Gst, GstRtspServer  # noqa: E402

ENCODERS = {
    "h264": "x264enc tune=zerolatency speed-preset=ultrafast key-int-max={fps} ! rtph264pay name=pay0 pt=96 config-interval=1",
    "h265": "x265enc tune=zerolatency speed-preset=ultrafast key-int-max={fps} ! rtph265pay name=pay0 pt=96 config-interval=1",
    "jpeg": "jpegenc quality=85 ! rtpjpegpay name=pay0 pt=26",
}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0, help="0 picks a free port")
    parser.add_argument("--path", default="/test")
    parser.add_argument("--codec", choices=sorted(ENCODERS), default="h264")
    parser.add_argument("--size", default="320x240")
    parser.add_argument("--fps", type=int, default=15)
    parser.add_argument("--mount-after", type=float, default=0.0,
                        help="seconds before the stream exists (404 until then)")
    args = parser.parse_args()

    Gst.init(None)
    needed = {"videotestsrc": "gstreamer1.0-plugins-base", "rtph264pay": "gstreamer1.0-plugins-good",
              "jpegenc": "gstreamer1.0-plugins-good", "x264enc": "gstreamer1.0-plugins-ugly",
              "x265enc": "gstreamer1.0-plugins-bad"}
    for element, package in needed.items():
        if element in ENCODERS[args.codec] or element == "videotestsrc":
            if Gst.ElementFactory.find(element) is None:
                print("GStreamer element %s is missing (install %s)" % (element, package), file=sys.stderr)
                return 1
    width, height = args.size.split("x")
    launch = ("( videotestsrc is-live=true ! video/x-raw,format=I420,width={w},height={h},framerate={fps}/1 ! "
              + ENCODERS[args.codec] + " )").format(w=width, h=height, fps=args.fps)

    server = GstRtspServer.RTSPServer()
    server.set_address("127.0.0.1")
    server.set_service(str(args.port))
    factory = GstRtspServer.RTSPMediaFactory()
    factory.set_launch(launch)
    factory.set_shared(True)

    def mount():
        server.get_mount_points().add_factory(args.path, factory)
        return False

    if args.mount_after > 0:
        GLib.timeout_add(int(args.mount_after * 1000), mount)
    else:
        mount()
    if server.attach(None) == 0:
        print("cannot listen", file=sys.stderr)
        return 1
    print("ready", server.get_bound_port(), flush=True)

    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
    GLib.io_add_watch(GLib.IOChannel.unix_new(sys.stdin.fileno()), GLib.PRIORITY_DEFAULT,
                      GLib.IOCondition.HUP | GLib.IOCondition.IN, lambda *a: loop.quit())
    loop.run()
    return 0


if __name__ == "__main__":
    sys.exit(main())
