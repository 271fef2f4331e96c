#!/usr/bin/perl
# Reads a screenshot of the game window drawn from the flat test pack, as a
# binary PPM on stdin, and prints what it shows:
#   read_frame.pl panel    -> "score combo mines", each a number or "-"
#   read_frame.pl marcher  -> "left top" of one wholly visible marcher body
#   read_frame.pl count R,G,B X Y W H -> pixels of that colour in the rectangle
use strict;
use warnings;

my $what = shift // die "what to read?";
binmode STDIN;
my $data = do { local $/; <STDIN> };
$data =~ s/\AP6\s+(\d+)\s+(\d+)\s+255\s//s or die "not an 8-bit PPM";
my ($w, $h) = ($1, $2);

sub rgb {
  my ($x, $y) = @_;
  return join(',', unpack('C3', substr($data, ($y * $w + $x) * 3, 3)));
}

# Digit d is (250, 10 + 24 d, 10) on a 20 x 24 block inside its 26 x 30 cell.
sub digit_at {
  my ($x) = @_;
  my ($r, $g, $b) = split /,/, rgb($x + 12, 510);
  return undef unless $r == 250 && $b == 10 && ($g - 10) % 24 == 0 && $g <= 226;
  return ($g - 10) / 24;
}

sub number {
  my $text = join('', map { digit_at($_) // '' } @_);
  return $text eq '' ? '-' : $text + 0;
}

if ($what eq 'panel') {
  print join(' ', number(0, 26, 52, 78), number(130, 156, 182), number(420)), "\n";
} elsif ($what eq 'marcher') {
  # The body colours of the four kinds. Killed marchers stand off the field.
  my %body = map { $_ => 1 } ('255,255,0', '255,128,0', '128,255,0', '0,128,255');
  # Low on the field first: those are nearest to escaping. A body is taken
  # only where one run of its colour is a marcher's width.
  for (my $y = 420; $y >= 2; $y -= 4) {
    for (my $x = 0; $x < 480; $x += 4) {
      my $c = rgb($x, $y);
      next unless $body{$c};
      my $left = $x;
      $left-- while $left > 0 && rgb($left - 1, $y) eq $c;
      my $right = $x;
      $right++ while $right < 479 && rgb($right + 1, $y) eq $c;
      next unless $right - $left == 25;
      my $top = $y;
      $top-- while $top > 0 && rgb($left + 3, $top - 1) eq $c;
      next unless $top > 0;
      print "$left $top\n";
      exit 0;
    }
  }
} elsif ($what eq 'count') {
  my ($colour, $x0, $y0, $cw, $ch) = @ARGV;
  my $n = 0;
  for my $y ($y0 .. $y0 + $ch - 1) {
    for my $x ($x0 .. $x0 + $cw - 1) {
      $n++ if rgb($x, $y) eq $colour;
    }
  }
  print "$n\n";
} else {
  die "cannot read '$what'";
}
